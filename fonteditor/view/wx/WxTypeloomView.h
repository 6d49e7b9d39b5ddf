#pragma once

#include <functional>

#include <wx/docview.h>

class CWxTypeloomForm;

// The editor's view in the wx document/view framework: one document window
// with the form, and the commands the view handles (Edit, Download, Export,
// the print commands). The window is made by the program (its CChildFrame).
class CWxTypeloomView final : public wxView
{
public:
    // Makes the document window of a view; it takes the view's form.
    using CFrameMaker = std::function<wxWindow*(wxDocument& doc, wxView& view)>;

    explicit CWxTypeloomView(CFrameMaker makeFrame);

    CWxTypeloomForm* GetForm() const { return m_pForm; }

    // wx view hooks. Once its window is made, the view fills its form.
    bool OnCreate(wxDocument* pDoc, long nFlags) override;
    void OnDraw(wxDC* pDC) override;
    bool OnClose(bool bDeleteWindow) override;

private:
    void OnCommand(wxCommandEvent& event);
    void RunDownloadDialog();

    CFrameMaker m_makeFrame;
    CWxTypeloomForm* m_pForm = nullptr;
    wxString m_strLastCode; // offered again the next time Go to Code asks
};
