#pragma once

#include "DownloadLauncher.h"
#include "WxTypeloomDoc.h"

#include <functional>

class CWxTypeloomForm;

// The editor's view in the wx document/view framework: one document window
// with the form, and the commands the view handles (Edit, Download, Export,
// the print commands). The window is made by the program (its CChildFrame).
class CWxTypeloomView final : public CWxDocumentView
{
public:
    // Makes the document window of a view; it takes the view's form.
    using CFrameMaker = std::function<wxWindow*(wxDocument& doc, wxView& view)>;

    CWxTypeloomView(CFrameMaker makeFrame, CDownloadLauncher& launcher);

    CWxTypeloomForm* GetForm() const { return m_pForm; }

    // wx view hooks.
    bool OnCreate(wxDocument* pDoc, long nFlags) override;
    void OnDraw(wxDC* pDC) override;
    bool OnClose(bool bDeleteWindow) override;

    // CWxDocumentView
    CDocumentView& GetDocumentView() override;
    void OnInitialUpdate() override;
    const CGlyph* GetPendingEdit() const override;

private:
    void OnCommand(wxCommandEvent& event);

    CFrameMaker m_makeFrame;
    CDownloadLauncher& m_launcher;
    CWxTypeloomForm* m_pForm = nullptr;
    wxString m_strLastCode; // offered again the next time Go to Code asks
};
