// The main of the GUI tests: wx is started as a program would start it, but
// its main loop never runs; the tests run the events themselves (WxTesting.h).
// Nothing may wait for a user: wx assertions fail the test at hand, wx errors
// go to stderr, and a modal dialog no test expects fails the test and is
// cancelled.

#include "ModalDialogWatcher.h"
#include "WxResources.h"

#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include <gtest/gtest.h>

namespace
{
class CTestApp final : public wxApp
{
public:
    bool OnInit() override
    {
        SetAppName("vfdkit-gui-tests");
        SetAppDisplayName("vfdkit GUI tests");
        return true;
    }
};

void FailOnAssert(const wxString& strFile, int nLine, const wxString& strFunction,
                  const wxString& strCondition, const wxString& strMessage)
{
    ADD_FAILURE_AT(strFile.utf8_string().c_str(), nLine)
        << "wx assertion in " << strFunction.utf8_string() << ": " << strCondition.utf8_string()
        << (strMessage.empty() ? "" : " - ") << strMessage.utf8_string();
}

// A session bus, an accessibility bus and the desktop settings store are no
// concern of these tests; without this GTK complains about each on stderr.
void QuietenDesktopServices()
{
    setenv("NO_AT_BRIDGE", "1", 0);
    setenv("GSETTINGS_BACKEND", "memory", 0);
}
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests (ctest's discovery) needs no display.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    QuietenDesktopServices();
    wxApp::SetInstance(new CTestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
    {
        std::fprintf(stderr, "wx cannot start: is there a display (DISPLAY=%s)?\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    InitWxResources();

    int nResult = 0;
    {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        CModalDialogWatcher unexpected;
        nResult = RUN_ALL_TESTS();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return nResult;
}
