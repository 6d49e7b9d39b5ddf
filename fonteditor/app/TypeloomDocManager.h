#pragma once

#include <wx/docview.h>

class CRecentFileList;

// The editor's document manager: one document type, new documents named
// Font1, Font2, ..., a recent-file list of four, the open dialog offering
// every file, and the File commands the application handles (New, Open,
// Close, Print Setup, the recent files).
class CTypeloomDocManager final : public wxDocManager
{
public:
    CTypeloomDocManager();

    CRecentFileList& GetRecentFiles();
    // The document of the active document window; nullptr for none.
    wxDocument* GetActiveDocument() const;

    wxString MakeNewDocumentName() override;
    wxString MakeFrameTitle(wxDocument* pDoc) override;
    wxFileHistory* OnCreateFileHistory() override;
    wxDocTemplate* SelectDocumentPath(wxDocTemplate** templates, int nTemplates, wxString& strPath,
                                      long nFlags, bool bSave = false) override;

    // Opens entry nIndex of the recent-file list; an entry that does not
    // open leaves the list.
    void OpenRecentFile(std::size_t nIndex);

protected:
    // The preview covers the main window, as the view it stands for would.
    wxPreviewFrame* CreatePreviewFrame(wxPrintPreviewBase* pPreview, wxWindow* pParent,
                                       const wxString& strTitle) override;

private:
    int m_nUntitled = 0;
};
