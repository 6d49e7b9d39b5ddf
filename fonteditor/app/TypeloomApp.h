#pragma once

#include "TypeloomShell.h"

#include <memory>

#include <wx/app.h>

// The application object: starts the shell and keeps it until the program
// ends. Files named on the command line are accepted and not opened; only
// the toolkit's own options act.
class CTypeloomApp final : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;

private:
    std::unique_ptr<CTypeloomShell> m_pShell;
};
