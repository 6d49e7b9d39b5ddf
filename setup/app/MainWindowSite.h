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
// controls and message boxes: tabs, page windows, caption, menu and its end.
// The wx main window implements it; the logic's tests record it.
class CMainWindowSite
{
public:
    virtual ~CMainWindowSite() = default;

    virtual void InsertTab(int nTab, const std::string& strText) = 0;
    // Makes the page's window from its resource, hidden, over the tab
    // control's page area but for a 1-pixel edge and the row of tabs.
    virtual CPageWindowParts CreatePage(int nDialogId) = 0;
    virtual void ShowPage(int nDialogId, bool bShow) = 0;
    virtual void SetCaption(const std::string& strCaption) = 0;
    // Grays the item at a position of a menu of the menu bar, both counted
    // from 0, separators included.
    virtual void GrayMenuItem(int nMenu, int nPosition) = 0;
    // Sends a close request to the top-level window with this caption, if
    // there is one.
    virtual void CloseWindowByCaption(const std::string& strCaption) = 0;
    // Ends the window's modal run.
    virtual void EndDialog(int nResult) = 0;
    // Shows beside the status line's texts, which stay as they are, why the
    // serial library's last call failed; "" when nothing failed since the
    // connection was opened.
    virtual void ShowConnectionProblem(const std::string& strCause) = 0;
};
