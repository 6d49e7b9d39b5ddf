#include "PagewingApp.h"

#include "PagewingWxDlg.h"
#include "WxResources.h"
#include "WxUserInterface.h"

#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

namespace
{
class CPagewingWxApp final : public wxApp
{
public:
    bool OnInit() override
    {
        SetAppName(kPagewingTitle);
        SetAppDisplayName(kPagewingTitle);
        return true;
    }
};

// Without a display GTK cannot start; the reason then only goes to standard
// error, with no attempt that adds its own complaints.
bool HasDisplay()
{
#if defined(__WXGTK__)
    const char* pszX = std::getenv("DISPLAY");
    const char* pszWayland = std::getenv("WAYLAND_DISPLAY");
    return (pszX && *pszX) || (pszWayland && *pszWayland);
#else
    return true;
#endif
}
} // namespace

CPagewingApp::CPagewingApp(int& argc, char** argv, std::string strLibrary)
    : m_argc(argc), m_argv(argv), m_strLibrary(std::move(strLibrary))
{
}

CPagewingApp::~CPagewingApp()
{
    if (m_bWxStarted)
        wxEntryCleanup();
}

bool CPagewingApp::StartWx()
{
    if (m_bWxStarted)
        return true;
    wxApp::SetInstance(new CPagewingWxApp);
    if (!wxEntryStart(m_argc, m_argv) || !wxTheApp->CallOnInit())
    {
        // The toolkit says nothing of its own when it finds no screen.
        std::fprintf(stderr, "Pagewing cannot start: no graphical display could be opened%s.\n",
                     HasDisplay() ? "" : " (DISPLAY and WAYLAND_DISPLAY are not set)");
        return false;
    }
    m_bWxStarted = true;
    InitWxResources();
    InitPagewingResources();
    return true;
}

void CPagewingApp::ReportStartFailure(const std::string& strText)
{
    std::fprintf(stderr, "%s\n", strText.c_str());
    if (HasDisplay() && StartWx())
        CWxUserInterface(nullptr).MessageBox(strText, EMessageIcon::Stop);
}

int CPagewingApp::Run()
{
    std::string strError;
    CVf620Calls* pDriver = m_module.Load(m_strLibrary, strError);
    if (!pDriver)
    {
        ReportStartFailure("Pagewing cannot start: " + strError);
        return kExitDriverMissing;
    }
    if (!StartWx())
        return kExitNoWindowSystem;
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    CPagewingWxDlg dialog(*pDriver);
    wxTheApp->SetTopWindow(&dialog);
    // The dialog's result is not used.
    dialog.ShowModal();
    wxTheApp->SetTopWindow(nullptr);
    return kExitOk;
}
