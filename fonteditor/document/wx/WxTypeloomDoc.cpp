#include "WxTypeloomDoc.h"

#include "File.h"
#include "WxText.h"

#include <string_view>

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/frame.h>

namespace
{
// What a file name may not contain, for the name a save dialog proposes.
std::string WithoutBadCharacters(std::string strName)
{
    std::erase_if(strName, [](char c)
                  { return std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos; });
    return strName;
}
} // namespace

std::string SaveChangesPrompt(const std::string& strName)
{
    return "Save changes to " + strName + "?";
}

CWxTypeloomDoc::CWxTypeloomDoc() : m_ui(wxTheApp ? wxTheApp->GetTopWindow() : nullptr) {}

std::string CWxTypeloomDoc::CSite::GetPathName() const
{
    return m_doc.m_bHasPath ? PathFromWx(m_doc.GetFilename()) : std::string();
}

void CWxTypeloomDoc::CSite::SetPathName(const std::string& strPath)
{
    m_doc.m_bHasPath = true;
    m_doc.SetDocumentSaved(true);
    m_doc.SetTitle(wxFileName(PathToWx(strPath)).GetFullName());
    m_doc.SetFilename(PathToWx(strPath), true);
}

void CWxTypeloomDoc::CSite::AddToRecentFileList(const std::string& strPath)
{
    if (wxDocManager* pManager = m_doc.GetDocumentManager())
        pManager->AddFileToHistory(PathToWx(strPath));
}

std::vector<CDocumentView*> CWxTypeloomDoc::CSite::GetViews()
{
    std::vector<CDocumentView*> views;
    for (CWxDocumentView* pView : m_doc.WxViews())
        views.push_back(&pView->GetDocumentView());
    return views;
}

std::vector<CWxDocumentView*> CWxTypeloomDoc::WxViews() const
{
    std::vector<CWxDocumentView*> views;
    for (wxView* pView : GetViewsVector())
        if (auto* pOurs = dynamic_cast<CWxDocumentView*>(pView))
            views.push_back(pOurs);
    return views;
}

CWxDocumentView* CWxTypeloomDoc::NewView()
{
    wxDocTemplate* pTemplate = GetDocumentTemplate();
    auto* pView = pTemplate ? dynamic_cast<CWxDocumentView*>(pTemplate->CreateView(this)) : nullptr;
    if (pView)
    {
        pView->OnInitialUpdate();
        RetitleViews();
    }
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
    m_bHasPath = false;
    SetDocumentSaved(false);
    SetTitle(GetDocumentManager()->MakeNewDocumentName());
    return NewView() != nullptr;
}

bool CWxTypeloomDoc::OnOpenDocument(const wxString& strPath)
{
    const std::string strFile = PathFromWx(strPath);
    if (const COpenResult result = m_doc.OnOpenDocument(strFile); !result)
    {
        m_ui.MessageBox(std::string(kMsgOpenFailed) + "\n" + result.m_strCause,
                        EMessageIcon::Warning);
        return false;
    }
    m_bHasPath = true;
    SetDocumentSaved(true);
    SetTitle(wxFileName(strPath).GetFullName());
    SetFilename(strPath, false);
    return NewView() != nullptr;
}

bool CWxTypeloomDoc::Save()
{
    if (!m_bHasPath)
        return SaveAs();
    return OnSaveDocument(GetFilename());
}

bool CWxTypeloomDoc::SaveAs()
{
    const auto path = m_ui.FileDialog(SaveAsRequest(
        m_bHasPath ? PathFromWx(GetFilename()) : WithoutBadCharacters(FromWx(GetTitle()))));
    if (!path)
        return false;
    return OnSaveDocument(PathToWx(*path));
}

bool CWxTypeloomDoc::OnSaveDocument(const wxString& strPath)
{
    // On failure the logic has said why and kept its changes and its path.
    if (!m_doc.OnSaveDocument(PathFromWx(strPath)))
        return false;
    RetitleViews();
    return true;
}

bool CWxTypeloomDoc::IsModified() const
{
    if (m_bDiscarded)
        return false;
    std::vector<const CGlyph*> pending;
    for (const CWxDocumentView* pView : WxViews())
        if (const CGlyph* pGlyph = pView->GetPendingEdit())
            pending.push_back(pGlyph);
    return m_doc.WouldChangeFile(pending);
}

bool CWxTypeloomDoc::OnSaveModified()
{
    if (!IsModified())
        return true;
    const std::string strName = m_bHasPath ? PathFromWx(GetFilename()) : FromWx(GetTitle());
    switch (m_ui.MessageBox(SaveChangesPrompt(strName), EMessageIcon::Question,
                            EMessageButtons::YesNoCancel))
    {
    case EMessageResult::Yes:
        return Save();
    case EMessageResult::No:
        return true;
    default:
        return false;
    }
}

bool CWxTypeloomDoc::OnCloseDocument()
{
    // Whatever was not saved is gone now; nothing more to ask about.
    m_bDiscarded = true;
    m_doc.ClearChanges();
    return wxDocument::OnCloseDocument();
}
