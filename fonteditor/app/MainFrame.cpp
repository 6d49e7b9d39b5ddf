#include "MainFrame.h"

#include "AboutDlg.h"
#include "ImportWxDlg.h"
#include "TypeloomCommands.h"
#include "TypeloomDocManager.h"
#include "TypeloomStrings.h"
#include "TypeloomView.h"
#include "WxResources.h"
#include "WxText.h"
#include "WxTypeloomDoc.h"
#include "WxTypeloomForm.h"
#include "WxTypeloomView.h"

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

namespace
{
wxString ResourceName(int nId)
{
    return wxString::Format("%d", nId);
}

// Accelerator table 128. The menus' own shortcuts are the first key of each
// command; these add the others.
const wxAcceleratorEntry kAccelerators[] = {
    {wxACCEL_CTRL, 'N', WxCommandId(kCmdFileNew)},
    {wxACCEL_CTRL, 'O', WxCommandId(kCmdFileOpen)},
    {wxACCEL_CTRL, 'S', WxCommandId(kCmdFileSave)},
    {wxACCEL_CTRL, 'P', WxCommandId(kCmdFilePrint)},
    {wxACCEL_CTRL, 'Z', WxCommandId(kCmdEditUndo)},
    {wxACCEL_ALT, WXK_BACK, WxCommandId(kCmdEditUndo)},
    {wxACCEL_CTRL, 'X', WxCommandId(kCmdEditCut)},
    {wxACCEL_SHIFT, WXK_DELETE, WxCommandId(kCmdEditCut)},
    {wxACCEL_CTRL, 'C', WxCommandId(kCmdEditCopy)},
    {wxACCEL_CTRL, WXK_INSERT, WxCommandId(kCmdEditCopy)},
    {wxACCEL_CTRL, 'V', WxCommandId(kCmdEditPaste)},
    {wxACCEL_SHIFT, WXK_INSERT, WxCommandId(kCmdEditPaste)},
    {wxACCEL_NORMAL, WXK_F6, WxCommandId(kCmdNextPane)},
    {wxACCEL_SHIFT, WXK_F6, WxCommandId(kCmdPrevPane)},
};

// Commands of the toolbar that act on a document.
constexpr int kDocumentCommands[] = {kCmdFileSave, kCmdEditCut, kCmdEditCopy, kCmdEditPaste,
                                     kCmdFilePrint};

void ApplyPrompts(wxMenu& menu)
{
    for (wxMenuItem* pItem : menu.GetMenuItems())
    {
        if (wxMenu* pSub = pItem->GetSubMenu())
            ApplyPrompts(*pSub);
        else if (const CCommandPrompt* pPrompt = FindCommandPrompt(CommandFromWxId(pItem->GetId())))
            pItem->SetHelp(ToWx(pPrompt->m_pszPrompt));
    }
}
} // namespace

void RegisterCommandNames()
{
    for (const CCommandPrompt& command : CommandPrompts())
        wxXmlResource::GetXRCID(command.m_pszName, WxCommandId(command.m_nId));
}

void ApplyCommandPrompts(wxMenuBar& menuBar)
{
    for (std::size_t i = 0; i < menuBar.GetMenuCount(); ++i)
        ApplyPrompts(*menuBar.GetMenu(i));
}

CMainFrame::CMainFrame(wxDocManager* pManager)
    : wxDocMDIParentFrame(pManager, nullptr, wxID_ANY, kAppTitle, wxDefaultPosition,
                          wxSize(1024, 768),
                          wxDEFAULT_FRAME_STYLE | wxFRAME_NO_WINDOW_MENU | wxHSCROLL | wxVSCROLL)
{
    SetIcon(LoadXrcIcon(kIdrMainFrame));
    if (wxMenuBar* pMenuBar = wxXmlResource::Get()->LoadMenuBar(ResourceName(kIdrMainFrame)))
    {
        ApplyCommandPrompts(*pMenuBar);
        SetMenuBar(pMenuBar);
        pManager->FileHistoryUseMenu(pMenuBar->GetMenu(0));
    }
    CreateToolBar128();
    CreateStatusBar128();
    SetAcceleratorTable(
        wxAcceleratorTable(static_cast<int>(std::size(kAccelerators)), kAccelerators));

    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    for (const int nId :
         {kCmdViewToolbar, kCmdViewStatusBar, kCmdWindowNew, kCmdWindowCascade, kCmdWindowTile,
          kCmdWindowArrange, kCmdAppAbout, kCmdAppExit, kCmdFileImport})
        Bind(wxEVT_MENU, &CMainFrame::OnCommand, this, WxCommandId(nId));
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateBar, this, WxCommandId(kCmdViewToolbar));
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateBar, this, WxCommandId(kCmdViewStatusBar));
    for (const int nId : kDocumentCommands)
        Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateNeedsDocument, this, WxCommandId(nId));
}

void CMainFrame::CreateToolBar128()
{
    wxToolBar* pToolBar = wxXmlResource::Get()->LoadToolBar(this, ResourceName(kIdrMainFrame));
    if (!pToolBar)
        return;
    for (std::size_t i = 0; i < pToolBar->GetToolsCount(); ++i)
    {
        const wxToolBarToolBase* pTool = pToolBar->GetToolByPos(static_cast<int>(i));
        if (pTool->IsSeparator())
            continue;
        if (const CCommandPrompt* pPrompt = FindCommandPrompt(CommandFromWxId(pTool->GetId())))
        {
            pToolBar->SetToolShortHelp(pTool->GetId(), ToWx(pPrompt->m_pszTip));
            pToolBar->SetToolLongHelp(pTool->GetId(), ToWx(pPrompt->m_pszPrompt));
        }
    }
    pToolBar->Realize();
    SetToolBar(pToolBar);
}

void CMainFrame::CreateStatusBar128()
{
    wxStatusBar* pBar = CreateStatusBar(1 + static_cast<int>(std::size(kIndicatorTexts)),
                                        wxSTB_DEFAULT_STYLE, WxCommandId(kCmdViewStatusBar));
    // The indicators are as wide as their texts.
    int nWidths[1 + std::size(kIndicatorTexts)] = {-1};
    int nStyles[1 + std::size(kIndicatorTexts)] = {wxSB_NORMAL};
    for (std::size_t i = 0; i < std::size(kIndicatorTexts); ++i)
    {
        nWidths[i + 1] = pBar->GetTextExtent(kIndicatorTexts[i]).x + 2 * pBar->GetBorderX() + 12;
        nStyles[i + 1] = wxSB_SUNKEN;
    }
    pBar->SetStatusWidths(static_cast<int>(std::size(nWidths)), nWidths);
    pBar->SetStatusStyles(static_cast<int>(std::size(nStyles)), nStyles);
    SetStatusBarPane(0);
    SetStatusText(kIdleMessage, 0);
    UpdateIndicators();
}

void CMainFrame::ShowPrompt(int nWxId)
{
    if (!GetStatusBar())
        return;
    wxString text = kIdleMessage;
    if (nWxId != wxID_NONE && nWxId != wxID_SEPARATOR)
    {
        const CCommandPrompt* pPrompt = FindCommandPrompt(CommandFromWxId(nWxId));
        text = pPrompt ? ToWx(pPrompt->m_pszPrompt) : wxString();
    }
    SetStatusText(text, 0);
}

void CMainFrame::UpdateIndicators()
{
    wxStatusBar* pBar = GetStatusBar();
    if (!pBar)
        return;
    const wxKeyCode keys[] = {WXK_CAPITAL, WXK_NUMLOCK, WXK_SCROLL};
    for (std::size_t i = 0; i < std::size(keys); ++i)
    {
        const wxString text = wxGetKeyState(keys[i]) ? wxString(kIndicatorTexts[i]) : wxString();
        if (pBar->GetStatusText(static_cast<int>(i + 1)) != text)
            pBar->SetStatusText(text, static_cast<int>(i + 1));
    }
}

void CMainFrame::UpdateTitle()
{
    wxString title = kAppTitle;
#ifndef __WXMSW__
    // Windows adds the maximised document window's title itself.
    if (auto* pManager = dynamic_cast<CTypeloomDocManager*>(GetDocumentManager()))
        if (wxDocument* pDoc = pManager->GetActiveDocument())
            title += " - [" + pDoc->GetUserReadableName() + "]";
#endif
    if (GetTitle() != title)
        SetTitle(title);
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    UpdateIndicators();
    UpdateTitle();
    event.Skip();
}

void CMainFrame::DoGiveHelp(const wxString& strText, bool bShow)
{
    if (GetStatusBar())
        SetStatusText(bShow ? strText : wxString(kIdleMessage), 0);
}

void CMainFrame::OnUpdateBar(wxUpdateUIEvent& event)
{
    const bool bToolbar = CommandFromWxId(event.GetId()) == kCmdViewToolbar;
    const wxWindow* pBar = bToolbar ? static_cast<wxWindow*>(GetToolBar()) : GetStatusBar();
    event.Check(pBar && pBar->IsShown());
}

void CMainFrame::OnUpdateNeedsDocument(wxUpdateUIEvent& event)
{
    auto* pManager = dynamic_cast<CTypeloomDocManager*>(GetDocumentManager());
    event.Enable(pManager && pManager->GetActiveDocument());
}

void CMainFrame::OnCommand(wxCommandEvent& event)
{
    const int nCommand = CommandFromWxId(event.GetId());
    switch (nCommand)
    {
    case kCmdViewToolbar:
    case kCmdViewStatusBar:
    {
        wxWindow* pBar =
            nCommand == kCmdViewToolbar ? static_cast<wxWindow*>(GetToolBar()) : GetStatusBar();
        if (pBar)
        {
            pBar->Show(!pBar->IsShown());
            SendSizeEvent();
        }
        break;
    }
    case kCmdWindowNew:
    {
        auto* pManager = dynamic_cast<CTypeloomDocManager*>(GetDocumentManager());
        if (auto* pDoc =
                dynamic_cast<CWxTypeloomDoc*>(pManager ? pManager->GetActiveDocument() : nullptr))
            pDoc->NewView();
        break;
    }
    // The platform arranges document windows where it has them apart; with
    // tabs there is nothing to arrange.
    case kCmdWindowCascade:
        Cascade();
        break;
    case kCmdWindowTile:
        Tile(wxHORIZONTAL);
        break;
    case kCmdWindowArrange:
        ArrangeIcons();
        break;
    case kCmdAppAbout:
    {
        CAboutDlg about(this);
        about.ShowModal();
        break;
    }
    case kCmdAppExit:
        Close();
        break;
    case kCmdFileImport:
        OnFileImport();
        break;
    default:
        event.Skip();
        break;
    }
}

void CMainFrame::OnFileImport()
{
    CImportWxDlg dlg(this);
    if (dlg.ShowModal() == wxID_OK)
        OpenImportedFont(dlg.m_dlg.m_strWritten, dlg.m_dlg.m_nWrittenWidth,
                         dlg.m_dlg.m_nWrittenHeight);
}

void CMainFrame::OpenImportedFont(const std::string& strPath, unsigned nWidth, unsigned nHeight)
{
    wxDocument* pDoc =
        GetDocumentManager()->CreateDocument(wxString::FromUTF8(strPath), wxDOC_SILENT);
    auto* pView = pDoc ? dynamic_cast<CWxTypeloomView*>(pDoc->GetFirstView()) : nullptr;
    if (!pView || !pView->GetForm())
        return;
    // The new font opens under the geometry it was made in, as if chosen
    // and applied on the form.
    CTypeloomView& view = pView->GetForm()->GetView();
    view.m_nWidthIndex = static_cast<int>(nWidth / 8 - 1);
    if (nHeight % 8 == 0)
        view.m_nHeightIndex = static_cast<int>(nHeight / 8 - 1);
    else
    {
        view.m_nHeightIndex = 4;
        view.m_nOtherHeight = static_cast<int>(nHeight);
    }
    view.UpdateData(false);
    view.OnApply();
}
