#include "TypeloomApp.h"

#include "TypeloomStrings.h"
#include "WxResources.h"

#include <wx/cmdline.h>

void InitTypeloomResources();

wxIMPLEMENT_APP(CTypeloomApp);

bool CTypeloomApp::OnInit()
{
    SetAppName(kAppTitle);
    SetVendorName(kSettingsVendor);
    SetAppDisplayName(kAppTitle);
    if (!wxApp::OnInit())
        return false;
    InitWxResources();
    InitTypeloomResources();
    m_pShell = std::make_unique<CTypeloomShell>(OpenTypeloomSettings());
    return m_pShell->Start();
}

int CTypeloomApp::OnExit()
{
    m_pShell.reset();
    return wxApp::OnExit();
}

void CTypeloomApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddParam("file", wxCMD_LINE_VAL_STRING,
                    wxCMD_LINE_PARAM_OPTIONAL | wxCMD_LINE_PARAM_MULTIPLE);
}
