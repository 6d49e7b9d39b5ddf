#include "TypeloomApp.h"

#include "StandardOptions.h"
#include "TypeloomStrings.h"
#include "WxResources.h"

#include <wx/cmdline.h>

void InitTypeloomResources();

wxIMPLEMENT_APP_NO_MAIN(CTypeloomApp);

namespace
{
const CProgramInfo kTypeloom{"Typeloom",
                             "Usage: Typeloom [FILE...]\n"
                             "       Typeloom --help | --version\n"
                             "\n"
                             "Edits the bitmap fonts of a two-line customer display; each FILE\n"
                             "opens in a window of its own.\n"};
} // namespace

// The standard options are answered before the toolkit starts, so they
// work without a display.
int main(int argc, char** argv)
{
    if (const auto nStatus = AnswerStandardOptions(argc, argv, kTypeloom))
        return *nStatus;
    return wxEntry(argc, argv);
}

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
