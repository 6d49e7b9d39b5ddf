#pragma once

#include "DataExchange.h"
#include "ListItems.h"
#include "Polelink.h"

#include <cstdint>

// The single page (dialog 148) the main window shows for the model "VF510":
// initialise and clear the display, set its contrast, light one of its
// indicators, turn "Thank you patronize" on or off and show a short text.
// Every click sends at once; the page keeps only the contrast choice.
class VF510 : public CDataExchangeForm
{
public:
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

    VF510(CControlAccess& controls, CControlAccess& layout, CUserInterface& ui,
          CPolelink& polelink);

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

    CControlAccess& m_layout;
    CPolelink& m_polelink;
};

inline constexpr int kContrastLevels = 8;
// The content goes to the display's one line of at most 10 characters.
inline constexpr std::size_t kContentBytes = 10;
