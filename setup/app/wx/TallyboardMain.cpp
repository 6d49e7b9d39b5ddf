// Tallyboard, the display setup utility: the product selection window and,
// from its OK, the main window of the chosen model. The display is reached
// only through the Polelink library the program is linked against.

#include "Clock.h"
#include "LibraryPolelink.h"
#include "PageEvents.h"
#include "SelectionWindow.h"
#include "TallyboardApp.h"
#include "WxResources.h"

#include <wx/app.h>

void InitTallyboardResources();

namespace
{
class CTallyboardWxApp final : public wxApp, private CAppSite
{
public:
    // The command line is not read.
    bool OnInit() override
    {
        SetAppName("Tallyboard");
        SetAppDisplayName("Tallyboard");
        InitWxResources();
        InitTallyboardResources();
        InitPageResources();
        return true;
    }

    // The selection window's modal run is the program; no other loop runs.
    int OnRun() override
    {
        CTallyboardApp app(*this);
        app.InitInstance();
        return 0;
    }

private:
    // The toolkit's controls need no registering.
    void InitCommonControls() override {}
    void RunSelectionWindow() override
    {
        CSelectionWindow window(nullptr, m_polelink, CClock::Real());
        window.RunModal();
    }

    CLibraryPolelink m_polelink;
};
} // namespace

wxIMPLEMENT_APP(CTallyboardWxApp);
