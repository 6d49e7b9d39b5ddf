#include "TypeloomDocManager.h"

#include "RecentFileList.h"
#include "TypeloomCommands.h"
#include "TypeloomStrings.h"
#include "WxText.h"
#include "WxUserInterface.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/print.h>

CTypeloomDocManager::CTypeloomDocManager() : wxDocManager(0, false)
{
    // Initialised here, not by the base: it makes the recent-file list
    // through OnCreateFileHistory, which must be ours.
    Initialize();

    Bind(wxEVT_MENU, &wxDocManager::OnFileNew, this, WxCommandId(kCmdFileNew));
    Bind(wxEVT_MENU, &wxDocManager::OnFileOpen, this, WxCommandId(kCmdFileOpen));
    Bind(wxEVT_MENU, &wxDocManager::OnFileClose, this, WxCommandId(kCmdFileClose));
    // Save and Save As end in the active document's own handling.
    Bind(wxEVT_MENU, &wxDocManager::OnFileSave, this, WxCommandId(kCmdFileSave));
    Bind(wxEVT_MENU, &wxDocManager::OnFileSaveAs, this, WxCommandId(kCmdFileSaveAs));
    Bind(wxEVT_MENU, &wxDocManager::OnPageSetup, this, WxCommandId(kCmdFilePrintSetup));
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent& event) {
            OpenRecentFile(static_cast<std::size_t>(CommandFromWxId(event.GetId()) - kCmdFileMru1));
        },
        WxCommandId(kCmdFileMru1), WxCommandId(kCmdFileMru1 + kRecentFileCount - 1));
}

CRecentFileList& CTypeloomDocManager::GetRecentFiles()
{
    return static_cast<CRecentFileList&>(*GetFileHistory());
}

wxDocument* CTypeloomDocManager::GetActiveDocument() const
{
    wxView* pView = GetCurrentView();
    return pView ? pView->GetDocument() : nullptr;
}

wxString CTypeloomDocManager::MakeNewDocumentName()
{
    return wxString::Format("%s%d", kDocumentName, ++m_nUntitled);
}

wxString CTypeloomDocManager::MakeFrameTitle(wxDocument* pDoc)
{
    return pDoc ? pDoc->GetUserReadableName() : wxString(kAppTitle);
}

wxFileHistory* CTypeloomDocManager::OnCreateFileHistory()
{
    return new CRecentFileList(kRecentFileCount);
}

wxDocTemplate* CTypeloomDocManager::SelectDocumentPath(wxDocTemplate** templates, int nTemplates,
                                                       wxString& strPath, long, bool)
{
    if (nTemplates < 1)
        return nullptr;
    CFileDialogRequest request;
    request.m_strFilter = std::string(kFilterName) + " (*.*)|*.*||";
    // The dialog starts in the folder of the file opened or saved last.
    if (GetFileHistory()->GetCount() > 0)
        request.m_strFileName = PathFromWx(
            wxFileName(GetFileHistory()->GetHistoryFile(0)).GetPath(wxPATH_GET_SEPARATOR));
    request.m_bFileMustExist = true;
    request.m_bPathMustExist = true;
    request.m_bHideReadOnly = true;
    CWxUserInterface ui(wxTheApp->GetTopWindow());
    const auto path = ui.FileDialog(request);
    if (!path)
        return nullptr;
    strPath = PathToWx(*path);
    return templates[0];
}

void CTypeloomDocManager::OpenRecentFile(std::size_t nIndex)
{
    CRecentFileList& recent = GetRecentFiles();
    if (nIndex >= recent.GetCount())
        return;
    // The document reports a file that does not open.
    if (!CreateDocument(recent.GetHistoryFile(nIndex), wxDOC_SILENT))
        recent.RemoveFileFromHistory(nIndex);
}

wxPreviewFrame* CTypeloomDocManager::CreatePreviewFrame(wxPrintPreviewBase* pPreview,
                                                        wxWindow* pParent, const wxString& strTitle)
{
    const wxRect rect =
        pParent ? pParent->GetScreenRect() : wxRect(wxDefaultPosition, wxDefaultSize);
    return new wxPreviewFrame(pPreview, pParent, strTitle, rect.GetPosition(), rect.GetSize());
}
