#pragma once

#include "DataExchange.h"
#include "ListItems.h"
#include "UserInterface.h"

#include <string>

// What the setup utility's windows ask of the toolkit beside their controls'
// values: the windows themselves, their icons, menus, tab control and page
// windows. The wx shells implement these; the tests use recording fakes.

// The program as a whole.
class CAppSite
{
public:
    virtual ~CAppSite() = default;

    virtual void InitCommonControls() = 0;
    // Creates the product selection window and runs it modally.
    virtual void RunSelectionWindow() = 0;
};

// The product selection window.
class CSelectionWindowSite
{
public:
    virtual ~CSelectionWindowSite() = default;

    // The window's large and small icon.
    virtual void SetIcon(int nIconId) = 0;
    // Puts one of the window's bitmaps into the preview picture.
    virtual void ShowPreview(int nBitmapId) = 0;
    virtual void ShowWindow(bool bShow) = 0;
    // Creates the main window and runs it modally: returns once it closed.
    virtual void RunMainWindow() = 0;
    // Ends the window's modal run.
    virtual void EndDialog(int nResult) = 0;
};

// A rectangle in pixels, right and bottom excluded.
struct CRect
{
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;

    bool operator==(const CRect&) const = default;
};

// The main window's tab control.
class CTabControl
{
public:
    virtual ~CTabControl() = default;

    virtual void InsertItem(int nItem, const std::string& strText) = 0;
    // The selected tab, -1 for none.
    virtual int GetCurSel() = 0;
    // The client area, in its own coordinates.
    virtual CRect GetClientRect() = 0;
};

// The main window, its tab control and the windows of its pages. Pages are
// named by their dialog ids; their windows are children of the tab control,
// placed in its client coordinates.
class CMainWindowSite
{
public:
    virtual ~CMainWindowSite() = default;

    virtual CControlAccess& Controls() = 0;
    virtual CTabControl& Tabs() = 0;
    // Message boxes and file dialogs owned by the main window, and without
    // an owner.
    virtual CUserInterface& UserInterface() = 0;
    virtual CUserInterface& OwnerlessUserInterface() = 0;

    // A page's controls and its boxes exist before its window does; they
    // are used only once the window has been created.
    virtual CControlAccess& PageControls(int nDialogId) = 0;
    virtual CUserInterface& PageUserInterface(int nDialogId) = 0;
    // Creates the page's window, hidden.
    virtual void CreatePage(int nDialogId) = 0;
    virtual void MovePage(int nDialogId, const CRect& rect) = 0;
    virtual void ShowPage(int nDialogId, bool bShow) = 0;

    virtual void SetCaption(const std::string& strCaption) = 0;
    virtual void SetButtonIcon(int nButtonId, int nIconId) = 0;
    // Grays the item at a position of a menu of the menu bar, both counted
    // from 0, separators included.
    virtual void GrayMenuItem(int nMenu, int nPosition) = 0;
    virtual void AddToolTip(int nControlId, const std::string& strText) = 0;
    virtual void ActivateToolTips() = 0;
    // Sends a close request to the top-level window with this caption, if
    // there is one.
    virtual void CloseWindowByCaption(const std::string& strCaption) = 0;
    // Ends the main window's modal run.
    virtual void EndDialog(int nResult) = 0;
};
