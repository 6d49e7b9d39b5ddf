#pragma once

#include "Vf620Module.h"

#include <string>

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
// The window system could not be started (no display).
inline constexpr int kExitNoWindowSystem = 1;
// The driver library is missing, or lacks an ordinal the program binds.
inline constexpr int kExitDriverMissing = 2;

// The application: binds the driver library before wx starts, so nothing is
// shown unless the library is complete, then runs the one dialog; the
// program ends when the dialog closes.
class CPagewingApp
{
public:
    // strLibrary: the library's name or path (CVf620Module::DefaultName()).
    CPagewingApp(int& argc, char** argv, std::string strLibrary = CVf620Module::DefaultName());
    ~CPagewingApp();
    CPagewingApp(const CPagewingApp&) = delete;
    CPagewingApp& operator=(const CPagewingApp&) = delete;

    // The exit status.
    int Run();

private:
    bool StartWx();
    // On standard error, and in a message box when there is a display.
    void ReportStartFailure(const std::string& strText);

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
