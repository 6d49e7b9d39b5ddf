#pragma once

#include "Clock.h"
#include "DataExchange.h"
#include "Polelink.h"

// The diagnostic page (dialog 134) of the setup utility's main window: the
// display's self test, its character screens, initialisation, clearing, and
// two lines of text typed by the user. It keeps no values: the two edits are
// read when a line is sent.
class Diagnostic
{
public:
    static constexpr int kSelfTestButton = 1007;
    static constexpr int kInternationalButton = 1008;
    static constexpr int kCodeTableButton = 1009;
    static constexpr int kInitializeButton = 1010;
    static constexpr int kDisplayButton = 1011;
    static constexpr int kFirstLineEdit = 1013;
    static constexpr int kSecondLineEdit = 1014;
    static constexpr int kClearButton = 1015;

    Diagnostic(CControlAccess& controls, CPolelink& polelink, CClock& clock);

    void OnSelfTest();
    void OnDisplayInternational();
    void OnDisplayCodeTable();
    void OnInitialize();
    void OnDisplay();
    void OnClear();

private:
    CControlAccess& m_controls;
    CPolelink& m_polelink;
    CClock& m_clock;
};

// A display line holds 20 characters; longer texts are cut to 20 bytes.
inline constexpr std::size_t kLineBytes = 20;
