#pragma once

#include "DocumentSite.h"
#include "TypeloomDoc.h"
#include "WxUserInterface.h"

#include <string>

#include <wx/docview.h>

// What the document needs of the wx views on it: the logic view the
// document talks to, the view's start once the document is open, and
// whether it holds an edit not yet committed.
class CWxDocumentView : public wxView
{
public:
    virtual CDocumentView& GetDocumentView() = 0;
    // After the document has opened or been created: fill the form.
    virtual void OnInitialUpdate() = 0;
    // The edited glyph not yet committed, or none.
    virtual const CGlyph* GetPendingEdit() const = 0;
};

// The font document in the wx document/view framework: the framework's side
// of CTypeloomDoc (path, views, recent files, message boxes) and the File
// commands Save and Save As.
//
// Opening measures the file before any window is made, so a file that cannot
// be opened leaves no window behind; its views are made once it has opened.
// The logic never marks the document modified; here a document counts as
// modified while it holds changes not saved yet, so closing it asks first.
class CWxTypeloomDoc final : public wxDocument
{
public:
    CWxTypeloomDoc();

    CTypeloomDoc& GetDoc() { return m_doc; }
    CDocumentSite& GetSite() { return m_site; }

    // A further view of this document, as the Window menu's "New Window"
    // makes; nullptr when it could not be made.
    CWxDocumentView* NewView();

    // wx document hooks.
    bool OnCreate(const wxString& strPath, long nFlags) override;
    bool OnNewDocument() override;
    bool OnOpenDocument(const wxString& strPath) override;
    bool Save() override;
    bool SaveAs() override;
    bool OnSaveDocument(const wxString& strPath) override;
    bool IsModified() const override;
    bool OnSaveModified() override;
    bool OnCloseDocument() override;
    bool RemoveView(wxView* pView) override;

    // Drops what is not saved; closing asks nothing any more.
    void Discard() { m_bDiscarded = true; }

private:
    class CSite final : public CDocumentSite
    {
    public:
        explicit CSite(CWxTypeloomDoc& doc) : m_doc(doc) {}

        std::string GetPathName() const override;
        void SetPathName(const std::string& strPath) override;
        void AddToRecentFileList(const std::string& strPath) override;
        std::vector<CDocumentView*> GetViews() override;
        CUserInterface& GetUserInterface() override { return m_doc.m_ui; }

    private:
        CWxTypeloomDoc& m_doc;
    };

    std::vector<CWxDocumentView*> WxViews() const;
    // Several windows of one document are told apart as "name:1", "name:2";
    // a single one shows the plain name.
    void RetitleViews();
    CUserInterface& Ui() { return m_ui; }

    CWxUserInterface m_ui;
    CSite m_site{*this};
    CTypeloomDoc m_doc{m_site};
    bool m_bHasPath = false;
    bool m_bDiscarded = false; // closed, or given up without saving
};

// The messages of the framework's document handling.
inline constexpr const char* kMsgOpenFailed = "Failed to open document.";
// "Save changes to <name>?"
std::string SaveChangesPrompt(const std::string& strName);
