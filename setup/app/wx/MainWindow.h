#pragma once

#include "Display_Set.h"
#include "ModalRun.h"
#include "PageWindow.h"
#include "WindowSites.h"
#include "WxControlAccess.h"
#include "WxUserInterface.h"

#include <wx/frame.h>

class wxNotebook;

// The main window (Display_Set) on the screen: a frame, since it carries the
// menu bar, run as a modal window by the selection window. The page windows
// are children of its client area laid over the tab control, which shows
// the tabs only; the logic places and switches them.
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
    CWxPageWindow& Page(int nDialogId);
    wxNotebook& TabControl() { return *m_pTabs; }

private:
    class CTabs final : public CTabControl
    {
    public:
        void InsertItem(int nItem, const std::string& strText) override;
        int GetCurSel() override;
        CRect GetClientRect() override;

        wxNotebook* m_pNotebook = nullptr;
    };

    CControlAccess& Controls() override { return m_controls; }
    CTabControl& Tabs() override { return m_tabs; }
    CUserInterface& UserInterface() override { return m_ui; }
    CUserInterface& OwnerlessUserInterface() override { return m_ownerlessUi; }
    CControlAccess& PageControls(int nDialogId) override { return Page(nDialogId).Controls(); }
    CUserInterface& PageUserInterface(int nDialogId) override
    {
        return Page(nDialogId).UserInterface();
    }
    void CreatePage(int nDialogId) override;
    void MovePage(int nDialogId, const CRect& rect) override;
    void ShowPage(int nDialogId, bool bShow) override;
    void SetCaption(const std::string& strCaption) override;
    void SetButtonIcon(int nButtonId, int nIconId) override;
    void GrayMenuItem(int nMenu, int nPosition) override;
    void AddToolTip(int nControlId, const std::string& strText) override;
    void ActivateToolTips() override;
    void CloseWindowByCaption(const std::string& strCaption) override;
    void EndDialog(int nResult) override;

    void BindEvents();
    void OnCharHook(wxKeyEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    bool IsInPage(const wxWindow* pWindow) const;

    wxWindow* m_pClient = nullptr; // the panel that holds the controls
    wxNotebook* m_pTabs = nullptr;
    CTabs m_tabs;
    CWxControlAccess m_controls{*this};
    CWxUserInterface m_ui{this};
    CWxUserInterface m_ownerlessUi{nullptr};
    CWxPageWindow m_diagnosticWindow{Display_Set::kDiagnosticPage};
    CWxPageWindow m_settingsWindow{Display_Set::kSettingsPage};
    CWxPageWindow m_updataWindow{Display_Set::kUpdataPage};
    CWxPageWindow m_vf510Window{Display_Set::kVF510Page};
    Display_Set m_logic;
    CModalRun m_run;
};
