#include "ChildFrame.h"

#include "MainFrame.h"
#include "TypeloomCommands.h"
#include "WxResources.h"

#include <wx/docview.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

CChildFrame::CChildFrame(wxDocument* pDoc, wxView* pView, wxMDIParentFrame* pParent)
    : wxDocMDIChildFrame(pDoc, pView, pParent, wxID_ANY, pDoc->GetUserReadableName(),
                         wxDefaultPosition, wxDefaultSize, wxDEFAULT_FRAME_STYLE | wxMAXIMIZE)
{
    SetIcon(LoadXrcIcon(kIdrFontType));
    wxMenuBar* pMenuBar = wxXmlResource::Get()->LoadMenuBar(wxString::Format("%d", kIdrFontType));
    if (pMenuBar)
    {
        ApplyCommandPrompts(*pMenuBar);
        m_pFileMenu = pMenuBar->GetMenu(0);
        SetMenuBar(pMenuBar);
        pDoc->GetDocumentManager()->FileHistoryUseMenu(m_pFileMenu);
    }
    Bind(wxEVT_ACTIVATE, &CChildFrame::OnActivate, this);
    Bind(wxEVT_MENU_HIGHLIGHT, &CChildFrame::OnMenuHighlight, this);
    Bind(wxEVT_MENU_CLOSE, &CChildFrame::OnMenuClose, this);
    Maximize();
}

CChildFrame::~CChildFrame()
{
    if (m_pFileMenu)
        if (wxDocManager* pManager = wxDocManager::GetDocumentManager())
            pManager->FileHistoryRemoveMenu(m_pFileMenu);
}

void CChildFrame::OnActivate(wxActivateEvent& event)
{
    // Whatever state the activation asks for, the window shows maximised.
    if (event.GetActive())
        Maximize();
    event.Skip();
}

void CChildFrame::OnMenuHighlight(wxMenuEvent& event)
{
    // The prompt goes to the main window's status bar.
    if (auto* pMain = dynamic_cast<CMainFrame*>(GetMDIParent()))
        pMain->ShowPrompt(event.GetMenuId());
}

void CChildFrame::OnMenuClose(wxMenuEvent& event)
{
    if (auto* pMain = dynamic_cast<CMainFrame*>(GetMDIParent()))
        pMain->ShowPrompt(wxID_NONE);
    event.Skip();
}
