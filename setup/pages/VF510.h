#pragma once

#include "DataExchange.h"
#include "ListItems.h"
#include "PageCommand.h"
#include "Polelink.h"

#include <array>
#include <cstdint>

// The single page (dialog 148) the main window shows for the model "VF510":
// initialise and clear the display, set its contrast, light one of its
// indicators, turn "Thank you patronize" on or off and show a short text.
// Every click sends at once; the page keeps only the contrast choice.
class VF510 : public CDataExchangeForm
{
public:
    static constexpr int kDialogId = 148;
    static constexpr int kUnitPriceRadio = 1002;
    static constexpr int kTotalRadio = 1003;
    static constexpr int kInitializeButton = 1007;
    static constexpr int kDisplayButton = 1008;
    static constexpr int kClearButton = 1009;
    static constexpr int kSetContrastButton = 1010;
    static constexpr int kContentEdit = 1013;
    static constexpr int kPayRadio = 1030;
    static constexpr int kChangeRadio = 1031;
    static constexpr int kThankYouCheck = 1038;
    static constexpr int kNoneRadio = 1039; // first of the indicator group
    static constexpr int kContrastList = 1040;

    VF510(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink);

    // Fills the contrast list "1" to "8".
    void OnInitDialog();
    void OnInitialize();
    void OnDisplay();
    void OnClear();
    // The indicator radio buttons, on every click (also of the checked one).
    void OnNone();
    void OnUnitPrice();
    void OnTotal();
    void OnPay();
    void OnChange();
    // The check box, after its click has toggled it.
    void OnThankYou();
    void OnSetContrast();

    int m_nContrastIndex = -1; // list 1040, -1 for no selection

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void SendIndicator(std::uint8_t nIndicator);

    CPolelink& m_polelink;
};

// What the page's controls command, for its window to bind.
inline constexpr std::array kVF510Commands{
    CPageCommand<VF510>{VF510::kInitializeButton, EPageEvent::Click, &VF510::OnInitialize},
    CPageCommand<VF510>{VF510::kDisplayButton, EPageEvent::Click, &VF510::OnDisplay},
    CPageCommand<VF510>{VF510::kClearButton, EPageEvent::Click, &VF510::OnClear},
    CPageCommand<VF510>{VF510::kSetContrastButton, EPageEvent::Click, &VF510::OnSetContrast},
    CPageCommand<VF510>{VF510::kNoneRadio, EPageEvent::RadioClick, &VF510::OnNone},
    CPageCommand<VF510>{VF510::kUnitPriceRadio, EPageEvent::RadioClick, &VF510::OnUnitPrice},
    CPageCommand<VF510>{VF510::kTotalRadio, EPageEvent::RadioClick, &VF510::OnTotal},
    CPageCommand<VF510>{VF510::kPayRadio, EPageEvent::RadioClick, &VF510::OnPay},
    CPageCommand<VF510>{VF510::kChangeRadio, EPageEvent::RadioClick, &VF510::OnChange},
    CPageCommand<VF510>{VF510::kThankYouCheck, EPageEvent::CheckClick, &VF510::OnThankYou},
};

inline constexpr int kContrastLevels = 8;
// The content goes to the display's one line of at most 10 characters.
inline constexpr std::size_t kContentBytes = 10;
