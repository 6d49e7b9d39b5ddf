#include "MainWindow.h"

#include "PageEvents.h"
#include "WxResources.h"
#include "WxText.h"

#include <wx/bmpbuttn.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/tooltip.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

namespace
{
constexpr int kMainWindow = 129;

// The menu's items by their numbers (see Tallyboard.xrc).
int MenuId(int nItem)
{
    return wxXmlResource::GetXRCID(wxString::Format("menu%d", nItem));
}

wxBitmap IconBitmap(int nIconId)
{
    wxBitmap bitmap;
    bitmap.CopyFromIcon(LoadXrcIcon(nIconId));
    return bitmap;
}
} // namespace

void CMainWindow::CTabs::InsertItem(int nItem, const std::string& strText)
{
    // The notebook only shows the tabs: each gets an empty page, and the
    // page windows lie over them.
    m_pNotebook->InsertPage(static_cast<std::size_t>(nItem), new wxPanel(m_pNotebook),
                            ToWx(strText));
}

int CMainWindow::CTabs::GetCurSel()
{
    return m_pNotebook->GetSelection();
}

CRect CMainWindow::CTabs::GetClientRect()
{
    const wxSize size = m_pNotebook->GetClientSize();
    return CRect{0, 0, size.x, size.y};
}

CMainWindow::CMainWindow(wxWindow* pParent, CPolelink& polelink, CClock& clock)
    : m_logic(*this, polelink, clock)
{
    LoadXrcFrame(*this, pParent, kMainWindow);
    for (wxWindow* pChild : GetChildren())
        if (dynamic_cast<wxPanel*>(pChild))
            m_pClient = pChild;
    m_pTabs = dynamic_cast<wxNotebook*>(FindControl(*this, Display_Set::kTabControl));
    wxASSERT_MSG(m_pClient && m_pTabs, "the main window's resource lacks its panel or tabs");
    m_tabs.m_pNotebook = m_pTabs;
    m_logic.OnInitDialog();
    BindEvents();
}

CMainWindow::~CMainWindow() = default;

void CMainWindow::BindEvents()
{
    auto menu = [this](int nItem, void (Display_Set::*handler)())
    {
        Bind(
            wxEVT_MENU, [this, handler](wxCommandEvent&) { (m_logic.*handler)(); }, MenuId(nItem));
    };
    menu(Display_Set::kReselectDisplayItem, &Display_Set::OnReselectDisplay);
    menu(Display_Set::kSaveItem, &Display_Set::OnSave);
    menu(Display_Set::kSaveAsItem, &Display_Set::OnSaveAs);
    menu(Display_Set::kExitItem, &Display_Set::OnExit);
    menu(Display_Set::kUserManualItem, &Display_Set::OnUserManual);

    auto button = [this](int nId, void (Display_Set::*handler)())
    {
        Bind(
            wxEVT_BUTTON, [this, handler](wxCommandEvent&) { (m_logic.*handler)(); }, nId);
    };
    button(Display_Set::kOpenButton, &Display_Set::OnOpenSettingFile);
    button(Display_Set::kSaveButton, &Display_Set::OnSaveSettingFile);
    button(Display_Set::kHelpButton, &Display_Set::OnHelp);

    // Bound after the tabs were made, so that their making reports nothing.
    m_pTabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED,
                  [this](wxBookCtrlEvent&) { m_logic.OnSelChangeTab(); });
    Bind(wxEVT_CHAR_HOOK, &CMainWindow::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainWindow::OnCloseWindow, this);
}

CWxPageWindow& CMainWindow::Page(int nDialogId)
{
    switch (nDialogId)
    {
    case Display_Set::kSettingsPage:
        return m_settingsWindow;
    case Display_Set::kUpdataPage:
        return m_updataWindow;
    case Display_Set::kVF510Page:
        return m_vf510Window;
    default:
        return m_diagnosticWindow;
    }
}

void CMainWindow::CreatePage(int nDialogId)
{
    CWxPageWindow& window = Page(nDialogId);
    if (!window.Create(*m_pClient))
        return;
    wxPanel& panel = window.Panel();
    switch (nDialogId)
    {
    case Display_Set::kSettingsPage:
        BindSettingsPage(panel, m_logic.GetSettings());
        break;
    case Display_Set::kUpdataPage:
        BindUpdataPage(panel, m_logic.GetUpdata());
        break;
    case Display_Set::kVF510Page:
        BindVF510Page(panel, m_logic.GetVF510());
        break;
    default:
        BindDiagnosticPage(panel, m_logic.GetDiagnostic());
        break;
    }
}

// Pages lie in the client area beside the tab control, which has no room
// for windows of its own: its page area is found from its position.
void CMainWindow::MovePage(int nDialogId, const CRect& rect)
{
    const wxPoint origin = m_pTabs->GetPosition() + m_pTabs->GetClientAreaOrigin();
    Page(nDialogId).Panel().SetSize(origin.x + rect.m_nLeft, origin.y + rect.m_nTop,
                                    rect.m_nRight - rect.m_nLeft, rect.m_nBottom - rect.m_nTop);
}

void CMainWindow::ShowPage(int nDialogId, bool bShow)
{
    CWxPageWindow& window = Page(nDialogId);
    if (!window.IsCreated())
        return;
    window.Panel().Show(bShow);
    if (bShow)
        window.Panel().Raise();
}

void CMainWindow::SetCaption(const std::string& strCaption)
{
    SetTitle(ToWx(strCaption));
}

// Each face's greyed twin is the icon before it.
void CMainWindow::SetButtonIcon(int nButtonId, int nIconId)
{
    auto* pButton = dynamic_cast<wxBitmapButton*>(FindControl(*this, nButtonId));
    wxCHECK_RET(pButton, wxString::Format("no icon button %d", nButtonId));
    pButton->SetBitmap(IconBitmap(nIconId));
    pButton->SetBitmapDisabled(IconBitmap(nIconId - 1));
}

void CMainWindow::GrayMenuItem(int nMenu, int nPosition)
{
    wxMenu* pMenu = GetMenuBar()->GetMenu(static_cast<std::size_t>(nMenu));
    wxCHECK_RET(pMenu, "no such menu");
    if (wxMenuItem* pItem = pMenu->FindItemByPosition(static_cast<std::size_t>(nPosition)))
        pItem->Enable(false);
}

void CMainWindow::AddToolTip(int nControlId, const std::string& strText)
{
    if (wxWindow* pControl = FindControl(*this, nControlId))
        pControl->SetToolTip(ToWx(strText));
}

void CMainWindow::ActivateToolTips()
{
    wxToolTip::Enable(true);
}

void CMainWindow::CloseWindowByCaption(const std::string& strCaption)
{
    const wxString caption = ToWx(strCaption);
    for (wxWindow* pWindow : wxTopLevelWindows)
        if (pWindow->GetLabel() == caption)
        {
            pWindow->Close();
            return;
        }
}

void CMainWindow::EndDialog(int nResult)
{
    if (m_run.IsRunning())
        m_run.End(nResult);
    else
        Hide();
}

bool CMainWindow::IsInPage(const wxWindow* pWindow) const
{
    for (const CWxPageWindow* pPage :
         {&m_diagnosticWindow, &m_settingsWindow, &m_updataWindow, &m_vf510Window})
        if (pPage->IsCreated())
            for (const wxWindow* p = pWindow; p; p = p->GetParent())
                if (p == &pPage->Panel())
                    return true;
    return false;
}

// Esc on the window's own controls leaves it as "Re-select Display" does;
// on a page's controls it does nothing.
void CMainWindow::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() != WXK_ESCAPE)
    {
        event.Skip();
        return;
    }
    if (!IsInPage(wxWindow::FindFocus()))
        m_logic.OnCancel();
}

void CMainWindow::OnCloseWindow(wxCloseEvent& event)
{
    if (!event.CanVeto())
    {
        event.Skip();
        return;
    }
    event.Veto();
    m_logic.OnClose();
}
