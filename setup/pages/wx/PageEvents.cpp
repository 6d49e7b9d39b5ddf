#include "PageEvents.h"

#include "Diagnostic.h"
#include "Settings.h"
#include "Updata.h"
#include "VF510.h"
#include "WxControlAccess.h"
#include "WxRadioGroup.h"

#include <functional>

#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/utils.h>

namespace
{
void OnClick(wxPanel& panel, int nId, std::function<void()> handler)
{
    panel.Bind(
        wxEVT_BUTTON, [handler = std::move(handler)](wxCommandEvent&) { handler(); }, nId);
}

// For commands that block the window: the pointer says so.
void OnLongClick(wxPanel& panel, int nId, std::function<void()> handler)
{
    OnClick(panel, nId,
            [handler = std::move(handler)]
            {
                wxBusyCursor busy;
                handler();
            });
}

void OnRadioClick(wxPanel& panel, int nId, std::function<void()> handler)
{
    if (auto* pButton = dynamic_cast<wxRadioButton*>(FindControl(panel, nId)))
        BindRadioClick(*pButton, std::move(handler));
    else
        wxFAIL_MSG(wxString::Format("no radio button %d", nId));
}
} // namespace

void BindSettingsPage(wxPanel& panel, Settings& page)
{
    OnClick(panel, Settings::kResetButton, [&page] { page.OnReset(); });
    OnClick(panel, Settings::kUpdateButton, [&page] { page.OnUpdate(); });
}

void BindUpdataPage(wxPanel& panel, Updata& page)
{
    OnClick(panel, Updata::kBrowseButton, [&page] { page.OnBrowse(); });
    OnLongClick(panel, Updata::kUpdateAllButton, [&page] { page.OnUpdateAllPages(); });
    OnLongClick(panel, Updata::kUpdateSingleButton, [&page] { page.OnUpdateSinglePage(); });
    OnClick(panel, Updata::kSelfTestButton, [&page] { page.OnSelfTest(); });
    OnLongClick(panel, Updata::kInternationalButton, [&page] { page.OnDisplayInternational(); });
    OnLongClick(panel, Updata::kCodeTableButton, [&page] { page.OnDisplayCodeTable(); });
    OnRadioClick(panel, Updata::kInternationalRadio, [&page] { page.OnInternational(); });
    OnRadioClick(panel, Updata::kCodeTableRadio, [&page] { page.OnCodeTable(); });
}

void BindDiagnosticPage(wxPanel& panel, Diagnostic& page)
{
    OnClick(panel, Diagnostic::kSelfTestButton, [&page] { page.OnSelfTest(); });
    OnLongClick(panel, Diagnostic::kInternationalButton,
                [&page] { page.OnDisplayInternational(); });
    OnLongClick(panel, Diagnostic::kCodeTableButton, [&page] { page.OnDisplayCodeTable(); });
    OnClick(panel, Diagnostic::kInitializeButton, [&page] { page.OnInitialize(); });
    OnClick(panel, Diagnostic::kDisplayButton, [&page] { page.OnDisplay(); });
    OnClick(panel, Diagnostic::kClearButton, [&page] { page.OnClear(); });
}

void BindVF510Page(wxPanel& panel, VF510& page)
{
    OnClick(panel, VF510::kInitializeButton, [&page] { page.OnInitialize(); });
    OnClick(panel, VF510::kDisplayButton, [&page] { page.OnDisplay(); });
    OnClick(panel, VF510::kClearButton, [&page] { page.OnClear(); });
    OnClick(panel, VF510::kSetContrastButton, [&page] { page.OnSetContrast(); });
    OnRadioClick(panel, VF510::kNoneRadio, [&page] { page.OnNone(); });
    OnRadioClick(panel, VF510::kUnitPriceRadio, [&page] { page.OnUnitPrice(); });
    OnRadioClick(panel, VF510::kTotalRadio, [&page] { page.OnTotal(); });
    OnRadioClick(panel, VF510::kPayRadio, [&page] { page.OnPay(); });
    OnRadioClick(panel, VF510::kChangeRadio, [&page] { page.OnChange(); });
    panel.Bind(
        wxEVT_CHECKBOX, [&page](wxCommandEvent&) { page.OnThankYou(); }, VF510::kThankYouCheck);
}
