#pragma once

#include "DataExchange.h"
#include "UserInterface.h"

#include <string>

// A page window's controls and boxes, there from the window's making on.
struct CPageWindowParts
{
    CControlAccess& m_controls;
    CUserInterface& m_ui;
};

// What the main window's logic (Display_Set) asks of its window beside its
// controls and message boxes: page windows, its end and the state of the
// connection.
// The wx main window implements it; the logic's tests record it.
class CMainWindowSite
{
public:
    virtual ~CMainWindowSite() = default;

    // Makes the page's window from its resource, hidden, over the tab
    // control's page area but for a 1-pixel edge and the row of tabs. It is
    // one of the window's controls, its id the dialog id: ShowControl shows it.
    virtual CPageWindowParts CreatePage(int nDialogId) = 0;
    // Ends the window's modal run: OK ends the program, Cancel goes back to
    // the display's selection.
    virtual void EndDialog(int nResult) = 0;
    // Shows beside the status line's texts, which stay as they are, why the
    // serial library's last call failed; "" when nothing failed since the
    // connection was opened.
    virtual void ShowConnectionProblem(const std::string& strCause) = 0;
};
