#pragma once

#include <wx/docmdi.h>

// A document window: always maximised inside the main window (on GTK the
// document windows are tabs, always full size), with menu 129 and icon 129.
class CChildFrame final : public wxDocMDIChildFrame
{
public:
    CChildFrame(wxDocument* pDoc, wxView* pView, wxMDIParentFrame* pParent);
    ~CChildFrame() override;

private:
    void OnActivate(wxActivateEvent& event);
    void OnMenuHighlight(wxMenuEvent& event);
    void OnMenuClose(wxMenuEvent& event);

    wxMenu* m_pFileMenu = nullptr;
};
