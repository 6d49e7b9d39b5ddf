// Tallyboard, the display setup utility: the product selection window and,
// from its OK, the main window of the chosen model. The display is reached
// only through the Polelink library the program is linked against.

#include "Clock.h"
#include "LibraryPolelink.h"
#include "PageEvents.h"
#include "SelectionWindow.h"
#include "WxResources.h"

#include <wx/app.h>

void InitTallyboardResources();

namespace
{
// The setup utility's application object: it runs the product selection
// window, and the program ends with it; there is no other message loop.
class CTallyboardApp final : public wxApp
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

    int OnRun() override
    {
        CSelectionWindow window(nullptr, m_polelink, CClock::Real());
        window.RunModal();
        return 0;
    }

private:
    CLibraryPolelink m_polelink;
};
} // namespace

wxIMPLEMENT_APP(CTallyboardApp);
