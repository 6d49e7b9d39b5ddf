#include "WxTypeloomView.h"

#include "TypeloomCommands.h"
#include "WxTypeloomForm.h"

#include <wx/docview.h>
#include <wx/print.h>
#include <wx/sizer.h>
#include <wx/textdlg.h>

CWxTypeloomView::CWxTypeloomView(CFrameMaker makeFrame, CDownloadLauncher& launcher)
    : m_makeFrame(std::move(makeFrame)), m_launcher(launcher)
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
    m_pForm = new CWxTypeloomForm(pFrame, pDocument->GetDoc(), m_launcher);
    auto* pSizer = new wxBoxSizer(wxVERTICAL);
    pSizer->Add(m_pForm, 1, wxEXPAND);
    pFrame->SetSizer(pSizer);
    pFrame->Layout();
    pFrame->Show();
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
        if (m_pForm && GetPendingEdit())
            m_pForm->GetView().OnSelectGlyph(0, 0);
        return true;
    }
    return pDoc->Close();
}

CDocumentView& CWxTypeloomView::GetDocumentView()
{
    return m_pForm->GetView();
}

void CWxTypeloomView::OnInitialUpdate()
{
    if (m_pForm)
        m_pForm->GetView().OnInitialUpdate();
}

const CGlyph* CWxTypeloomView::GetPendingEdit() const
{
    if (!m_pForm || !m_pForm->GetView().GetGlyphGrid().m_bModified)
        return nullptr;
    return &m_pForm->GetView().GetGlyphGrid().m_glyph;
}

void CWxTypeloomView::OnCommand(wxCommandEvent& event)
{
    if (!m_pForm)
        return;
    CTypeloomView& view = m_pForm->GetView();
    switch (CommandFromWxId(event.GetId()))
    {
    case kCmdEditCut:
        view.OnEditCut();
        break;
    case kCmdEditCopy:
        view.OnEditCopy();
        break;
    case kCmdEditPaste:
        view.OnEditPaste();
        break;
    case kCmdEditUndo:
        view.OnEditUndo();
        break;
    case kCmdFileDownload:
        view.OnFileDownload();
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
