#include "MainWindow.h"

#include "PageEvents.h"
#include "WxResources.h"
#include "WxText.h"

#include <algorithm>

#include <wx/bmpbuttn.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/tooltip.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

namespace
{
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

CMainWindow::CMainWindow(wxWindow* pParent, CPolelink& polelink, CClock& clock)
    : m_logic(*this, m_controls, m_ui, m_ownerlessUi, polelink, clock)
{
    LoadXrcFrame(*this, pParent, kMainDialog);
    m_controls.m_menuItemId = MenuId;
    for (wxWindow* pChild : GetChildren())
        if (dynamic_cast<wxPanel*>(pChild))
            m_pClient = pChild;
    m_pTabs = dynamic_cast<wxNotebook*>(FindControl(*this, Display_Set::kTabControl));
    wxASSERT_MSG(m_pClient && m_pTabs, "the main window's resource lacks its panel or tabs");
    SetUpToolBar();
    m_logic.OnInitDialog();
    for (const CPage& page : m_logic.Pages())
        if (CWxPageWindow* pWindow = FindPage(page.DialogId()))
            BindPageCommands(pWindow->Panel(), page.Commands());
    BindEvents();
}

CMainWindow::~CMainWindow() = default;

// Each face's greyed twin is the icon before it.
void CMainWindow::SetUpToolBar()
{
    for (std::size_t i = 0; i < kButtonIcons.size(); ++i)
    {
        const int nId = kOpenButton + static_cast<int>(i);
        auto* pButton = dynamic_cast<wxBitmapButton*>(FindControl(*this, nId));
        wxCHECK_RET(pButton, wxString::Format("no icon button %d", nId));
        pButton->SetBitmap(IconBitmap(kButtonIcons[i]));
        pButton->SetBitmapDisabled(IconBitmap(kButtonIcons[i] - 1));
        pButton->SetToolTip(ToWx(kButtonToolTips[i]));
    }
    wxToolTip::Enable(true);
}

void CMainWindow::BindEvents()
{
    for (const CMainWindowCommand& command : kMainWindowCommands)
        Bind(
            command.m_bMenuItem ? wxEVT_MENU : wxEVT_BUTTON,
            [this, pHandler = command.m_pHandler](wxCommandEvent&) { (m_logic.*pHandler)(); },
            command.m_bMenuItem ? MenuId(command.m_nId) : command.m_nId);

    // Bound after the tabs were made, so that their making reports nothing.
    m_pTabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED,
                  [this](wxBookCtrlEvent&) { m_logic.OnSelChangeTab(m_pTabs->GetSelection()); });
    Bind(wxEVT_CHAR_HOOK, &CMainWindow::OnCharHook, this);
    Bind(wxEVT_MENU_OPEN,
         [this](wxMenuEvent& event)
         {
             ++m_nOpenMenus;
             event.Skip();
         });
    Bind(wxEVT_MENU_CLOSE,
         [this](wxMenuEvent& event)
         {
             m_nOpenMenus = std::max(0, m_nOpenMenus - 1);
             event.Skip();
         });
    Bind(wxEVT_CLOSE_WINDOW, &CMainWindow::OnCloseWindow, this);
}

// The notebook only shows the tabs: each gets an empty page, and the page
// windows lie over them.
CWxPageWindow* CMainWindow::FindPage(int nDialogId)
{
    for (const auto& pPage : m_pages)
        if (pPage->Id() == nDialogId)
            return pPage.get();
    return nullptr;
}

// Pages lie in the client area beside the tab control, which has no room
// for windows of its own: its page area is found from its position.
CPageWindowParts CMainWindow::CreatePage(int nDialogId)
{
    CWxPageWindow& window =
        *m_pages.emplace_back(std::make_unique<CWxPageWindow>(*m_pClient, nDialogId));
    const wxPoint origin = m_pTabs->GetPosition() + m_pTabs->GetClientAreaOrigin();
    const wxSize size = m_pTabs->GetClientSize();
    window.Panel().SetSize(origin.x + 1, origin.y + 21, size.x - 2, size.y - 22);
    return {window.Controls(), window.UserInterface()};
}

void CMainWindow::ShowConnectionProblem(const std::string& strCause)
{
    // The port's field turns red and says why in its tooltip; its text, the
    // port the connection file names, stays.
    wxWindow* pPort = FindControl(*this, Display_Set::kPortText);
    if (!pPort)
        return;
    pPort->SetForegroundColour(strCause.empty() ? wxNullColour : *wxRED);
    pPort->SetToolTip(strCause.empty() ? wxString()
                                       : ToWx("The display cannot be reached: " + strCause));
    pPort->Refresh();
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
    for (const auto& pPage : m_pages)
        for (const wxWindow* p = pWindow; p; p = p->GetParent())
            if (p == &pPage->Panel())
                return true;
    return false;
}

// Esc on the window's own controls leaves it as "Re-select Display" does;
// on a page's controls it does nothing. With a menu open it is the menu's:
// it closes the menu and nothing else.
void CMainWindow::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() != WXK_ESCAPE || m_nOpenMenus > 0)
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
