#pragma once

#include "Display_Set.h"
#include "ModalRun.h"
#include "PageWindow.h"
#include "WxControlAccess.h"
#include "WxUserInterface.h"

#include <memory>
#include <vector>

#include <wx/frame.h>

class wxNotebook;

// The main window (Display_Set) on the screen: a frame, since it carries the
// menu bar, run as a modal window by the selection window. The page windows
// are children of its client area laid over the tab control, which shows
// the tabs only; the logic chooses and switches them.
class CMainWindow final : public wxFrame, private CMainWindowSite
{
public:
    CMainWindow(wxWindow* pParent, CPolelink& polelink, CClock& clock);
    ~CMainWindow() override;

    // Shows the window with every other one disabled and returns once it
    // has ended (EndDialog): the result it ended with.
    int RunModal() { return m_run.Run(*this); }
    bool IsRunning() const { return m_run.IsRunning(); }

    Display_Set& Logic() { return m_logic; }
    // The window of a page the model has, else nullptr.
    CWxPageWindow* FindPage(int nDialogId);
    wxNotebook& TabControl() { return *m_pTabs; }

private:
    CPageWindowParts CreatePage(int nDialogId) override;
    void EndDialog(int nResult) override;
    void ShowConnectionProblem(const std::string& strCause) override;

    void SetUpToolBar();
    void BindEvents();
    void OnCharHook(wxKeyEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    bool IsInPage(const wxWindow* pWindow) const;
    int m_nOpenMenus = 0; // menus of the menu bar now open

    wxWindow* m_pClient = nullptr; // the panel that holds the controls
    wxNotebook* m_pTabs = nullptr;
    CWxControlAccess m_controls{*this};
    CWxUserInterface m_ui{this};
    CWxUserInterface m_ownerlessUi{nullptr};
    std::vector<std::unique_ptr<CWxPageWindow>> m_pages;
    Display_Set m_logic;
    CModalRun m_run;
};
