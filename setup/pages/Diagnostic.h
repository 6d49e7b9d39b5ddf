#pragma once

#include "Clock.h"
#include "DataExchange.h"
#include "PageBytes.h"
#include "PageCommand.h"
#include "Polelink.h"
#include "UserInterface.h"

#include <array>

// The diagnostic page (dialog 134) of the setup utility's main window: the
// display's self test, its character screens, initialisation, clearing, and
// two lines of text typed by the user. It keeps no values: the two edits are
// read when a line is sent.
class Diagnostic
{
public:
    static constexpr int kDialogId = 134;
    static constexpr int kSelfTestButton = 1007;
    static constexpr int kInternationalButton = 1008;
    static constexpr int kCodeTableButton = 1009;
    static constexpr int kInitializeButton = 1010;
    static constexpr int kDisplayButton = 1011;
    static constexpr int kFirstLineEdit = 1013;
    static constexpr int kSecondLineEdit = 1014;
    static constexpr int kClearButton = 1015;

    Diagnostic(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink, CClock& clock,
               const CDisplayState& display);

    void OnSelfTest();
    void OnDisplayInternational();
    void OnDisplayCodeTable();
    void OnInitialize();
    void OnDisplay();
    void OnClear();

private:
    CControlAccess& m_controls;
    CUserInterface& m_ui;
    CPolelink& m_polelink;
    CClock& m_clock;
    const CDisplayState& m_display;
};

// What the page's controls command, for its window to bind.
inline constexpr std::array kDiagnosticCommands{
    CPageCommand<Diagnostic>{Diagnostic::kSelfTestButton, EPageEvent::Click,
                             &Diagnostic::OnSelfTest},
    CPageCommand<Diagnostic>{Diagnostic::kInternationalButton, EPageEvent::BusyClick,
                             &Diagnostic::OnDisplayInternational},
    CPageCommand<Diagnostic>{Diagnostic::kCodeTableButton, EPageEvent::BusyClick,
                             &Diagnostic::OnDisplayCodeTable},
    CPageCommand<Diagnostic>{Diagnostic::kInitializeButton, EPageEvent::Click,
                             &Diagnostic::OnInitialize},
    CPageCommand<Diagnostic>{Diagnostic::kDisplayButton, EPageEvent::Click, &Diagnostic::OnDisplay},
    CPageCommand<Diagnostic>{Diagnostic::kClearButton, EPageEvent::Click, &Diagnostic::OnClear},
};

// A display line holds 20 characters; longer texts are cut to 20 bytes.
inline constexpr std::size_t kLineBytes = 20;
