#include "WxTypeloomDoc.h"

#include "WxText.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/frame.h>

CWxTypeloomDoc::CWxTypeloomDoc() : m_ui(wxTheApp ? wxTheApp->GetTopWindow() : nullptr) {}

std::string CWxTypeloomDoc::Title() const
{
    return FromWx(GetTitle());
}

wxView* CWxTypeloomDoc::NewView()
{
    wxDocTemplate* pTemplate = GetDocumentTemplate();
    wxView* pView = pTemplate ? pTemplate->CreateView(this) : nullptr;
    if (pView)
        RetitleViews();
    return pView;
}

void CWxTypeloomDoc::RetitleViews()
{
    const auto views = GetViewsVector();
    const wxString strName = GetUserReadableName();
    for (std::size_t i = 0; i < views.size(); ++i)
        if (auto* pFrame = dynamic_cast<wxFrame*>(views[i]->GetFrame()))
            pFrame->SetTitle(views.size() > 1 ? wxString::Format("%s:%zu", strName, i + 1)
                                              : strName);
}

bool CWxTypeloomDoc::RemoveView(wxView* pView)
{
    // With no view left the base may delete the document.
    const bool bOthersRemain = GetViewsVector().size() > 1;
    const bool bRemoved = wxDocument::RemoveView(pView);
    if (bOthersRemain)
        RetitleViews();
    return bRemoved;
}

bool CWxTypeloomDoc::OnCreate(const wxString&, long)
{
    // The window comes once the document has opened (OnNewDocument,
    // OnOpenDocument).
    return true;
}

bool CWxTypeloomDoc::OnNewDocument()
{
    SetDocumentSaved(false);
    SetTitle(GetDocumentManager()->MakeNewDocumentName());
    return NewView() != nullptr;
}

bool CWxTypeloomDoc::OnOpenDocument(const wxString& strPath)
{
    if (const COpenResult result = m_doc.OnOpenDocument(PathFromWx(strPath)); !result)
    {
        m_ui.MessageBox(std::string(kMsgOpenFailed) + "\n" + result.m_strCause,
                        EMessageIcon::Warning);
        return false;
    }
    SetDocumentSaved(true);
    SetTitle(wxFileName(strPath).GetFullName());
    SetFilename(strPath, false);
    return NewView() != nullptr;
}

bool CWxTypeloomDoc::Saved(ESaveResult result)
{
    if (result != ESaveResult::Saved)
        return false;
    const wxString strPath = PathToWx(m_doc.GetPathName());
    SetDocumentSaved(true);
    SetTitle(wxFileName(strPath).GetFullName());
    SetFilename(strPath, true);
    if (wxDocManager* pManager = GetDocumentManager())
        pManager->AddFileToHistory(strPath);
    RetitleViews();
    return true;
}

bool CWxTypeloomDoc::Save()
{
    return Saved(m_doc.Save(Title()));
}

bool CWxTypeloomDoc::SaveAs()
{
    return Saved(m_doc.SaveAs(Title()));
}

bool CWxTypeloomDoc::OnSaveDocument(const wxString& strPath)
{
    return Saved(m_doc.OnSaveDocument(PathFromWx(strPath)));
}

bool CWxTypeloomDoc::OnSaveModified()
{
    switch (m_doc.AskBeforeClose(Title()))
    {
    case ECloseAnswer::Close:
        return true;
    case ECloseAnswer::SaveFirst:
        return Save();
    default:
        return false;
    }
}

bool CWxTypeloomDoc::OnCloseDocument()
{
    // Whatever was not saved is gone now; nothing more to ask about.
    m_doc.Discard();
    m_doc.ClearChanges();
    return wxDocument::OnCloseDocument();
}
