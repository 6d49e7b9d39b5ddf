#pragma once

#include "PagewingApp.h"
#include "Vf620Module.h"

#include <string>

// The program's start on the real library and wx: the library is loaded and
// bound before wx starts, so nothing is shown unless it is complete.
class CPagewingProgramStart final : public CPagewingStart
{
public:
    // strLibrary: the library's name or path (CVf620Module::DefaultName()).
    CPagewingProgramStart(int& argc, char** argv,
                          std::string strLibrary = CVf620Module::DefaultName());
    ~CPagewingProgramStart() override;
    CPagewingProgramStart(const CPagewingProgramStart&) = delete;
    CPagewingProgramStart& operator=(const CPagewingProgramStart&) = delete;

    CVf620Calls* BindDriver(std::string& strError) override;
    // On standard error, and in a message box when there is a display.
    void ReportStartFailure(const std::string& strText) override;
    bool RunMainDialog(CVf620Calls& driver) override;

private:
    bool StartWx();

    int& m_argc;
    char** m_argv;
    std::string m_strLibrary;
    CVf620Module m_module;
    bool m_bWxStarted = false;
};

// The display name of the program: the caption of its message boxes.
inline constexpr const char* kPagewingTitle = "Pagewing";

// Once wx has started: the resources of the program's windows.
void InitPagewingResources();
