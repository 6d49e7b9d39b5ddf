#pragma once

#include "TypeloomDoc.h"
#include "WxUserInterface.h"

#include <string>

#include <wx/docview.h>

// The font document in the wx document/view framework: the framework's
// hooks forwarded to CTypeloomDoc, which decides what is saved, where, and
// whether closing asks first; here the window titles, the file name the
// framework shows and the recent-file list follow.
//
// Opening measures the file before any window is made, so a file that cannot
// be opened leaves no window behind; its views are made once it has opened.
class CWxTypeloomDoc final : public wxDocument
{
public:
    CWxTypeloomDoc();

    CTypeloomDoc& GetDoc() { return m_doc; }

    // A further view of this document, as the Window menu's "New Window"
    // makes; nullptr when it could not be made.
    wxView* NewView();

    // wx document hooks.
    bool OnCreate(const wxString& strPath, long nFlags) override;
    bool OnNewDocument() override;
    bool OnOpenDocument(const wxString& strPath) override;
    bool Save() override;
    bool SaveAs() override;
    bool OnSaveDocument(const wxString& strPath) override;
    bool IsModified() const override { return m_doc.IsModified(); }
    bool OnSaveModified() override;
    bool OnCloseDocument() override;
    bool RemoveView(wxView* pView) override;

    // Drops what is not saved; closing asks nothing any more.
    void Discard() { m_doc.Discard(); }

private:
    // After a save: the framework's name, title and recent files follow the
    // file the document now has.
    bool Saved(ESaveResult result);
    // Several windows of one document are told apart as "name:1", "name:2";
    // a single one shows the plain name.
    void RetitleViews();
    std::string Title() const;

    CWxUserInterface m_ui;
    CTypeloomDoc m_doc{m_ui};
};

// The message of the framework's document handling when a file does not open.
inline constexpr const char* kMsgOpenFailed = "Failed to open document.";
