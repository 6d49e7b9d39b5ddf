#include "WxTypeloomView.h"

#include "TypeloomCommands.h"
#include "WxDownloadDlg.h"
#include "WxTypeloomDoc.h"
#include "WxTypeloomForm.h"

#include <wx/app.h>
#include <wx/docview.h>
#include <wx/print.h>
#include <wx/sizer.h>
#include <wx/textdlg.h>

CWxTypeloomView::CWxTypeloomView(CFrameMaker makeFrame) : m_makeFrame(std::move(makeFrame))
{
    for (const int nId : {kCmdEditCut, kCmdEditCopy, kCmdEditPaste, kCmdEditUndo, kCmdFileDownload,
                          kCmdFileExport, kCmdFilePrint, kCmdFilePrintDirect, kCmdFilePrintPreview})
        Bind(wxEVT_MENU, &CWxTypeloomView::OnCommand, this, WxCommandId(nId));
    Bind(wxEVT_MENU, &CWxTypeloomView::OnCommand, this, WxCommandId(kCmdGlyphInvert),
         WxCommandId(kCmdGlyphShiftDown));
    Bind(wxEVT_MENU, &CWxTypeloomView::OnCommand, this, WxCommandId(kCmdEditGoToCode),
         WxCommandId(kCmdPageLast));
}

bool CWxTypeloomView::OnCreate(wxDocument* pDoc, long)
{
    auto* pDocument = dynamic_cast<CWxTypeloomDoc*>(pDoc);
    wxWindow* pFrame = pDocument ? m_makeFrame(*pDoc, *this) : nullptr;
    if (!pFrame)
        return false;
    m_pForm = new CWxTypeloomForm(pFrame, pDocument->GetDoc());
    auto* pSizer = new wxBoxSizer(wxVERTICAL);
    pSizer->Add(m_pForm, 1, wxEXPAND);
    pFrame->SetSizer(pSizer);
    pFrame->Layout();
    pFrame->Show();
    m_pForm->GetView().OnInitialUpdate();
    m_pForm->ResizeParentToFit();
    return true;
}

void CWxTypeloomView::OnDraw(wxDC*)
{
    // The printed page stays blank: the view draws nothing on it.
}

bool CWxTypeloomView::OnClose(bool)
{
    wxDocument* pDoc = GetDocument();
    if (!pDoc)
        return true;
    // Other windows keep the document open: this one's pending edit goes to
    // the change list rather than being lost with the window.
    if (pDoc->GetViewsVector().size() > 1)
    {
        if (m_pForm && m_pForm->GetView().GetPendingEdit())
            m_pForm->GetView().OnSelectGlyph(0, 0);
        return true;
    }
    return pDoc->Close();
}

void CWxTypeloomView::RunDownloadDialog()
{
    const CDownloadStart start = m_pForm->GetView().OnFileDownload();
    CWxDownloadDlg dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
    dialog.m_dlg.m_strFilePath = start.m_strPath;
    dialog.m_dlg.m_nGlyphWidth = start.m_nGlyphWidth;
    dialog.m_dlg.m_nGlyphHeight = start.m_nGlyphHeight;
    dialog.ShowModal();
}

void CWxTypeloomView::OnCommand(wxCommandEvent& event)
{
    if (!m_pForm)
        return;
    CTypeloomView& view = m_pForm->GetView();
    switch (CommandFromWxId(event.GetId()))
    {
    case kCmdEditCut:
        m_pForm->GetTextBox().Cut();
        break;
    case kCmdEditCopy:
        m_pForm->GetTextBox().Copy();
        break;
    case kCmdEditPaste:
        m_pForm->GetTextBox().Paste();
        break;
    case kCmdEditUndo:
        if (view.OnEditUndo(m_pForm->GetFocusId()) == EUndoBy::TextBox)
            m_pForm->GetTextBox().Undo();
        break;
    case kCmdFileDownload:
        RunDownloadDialog();
        break;
    case kCmdFileExport:
        view.OnFileExport();
        break;
    case kCmdFilePrint:
        GetDocumentManager()->OnPrint(event);
        break;
    case kCmdFilePrintPreview:
        GetDocumentManager()->OnPreview(event);
        break;
    case kCmdFilePrintDirect:
    {
        wxPrinter printer;
        std::unique_ptr<wxPrintout> pPrintout(OnCreatePrintout());
        printer.Print(GetFrame(), pPrintout.get(), false);
        break;
    }
    case kCmdEditGoToCode:
    {
        const wxString strCode =
            wxGetTextFromUser("Code (hex as 0x41 or 41h, or decimal as 65):", "Go to Code",
                              m_strLastCode, GetFrame());
        if (!strCode.empty())
        {
            m_strLastCode = strCode;
            view.GoToCode(strCode.ToStdString(wxConvUTF8));
        }
        break;
    }
    default:
        if (!view.OnGlyphCommand(CommandFromWxId(event.GetId())) &&
            !view.OnPageCommand(CommandFromWxId(event.GetId())))
            event.Skip();
        break;
    }
}
