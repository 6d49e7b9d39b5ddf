#pragma once

#include "WxTypeloomView.h"

#include <wx/docview.h>
#include <wx/mdi.h>

// The one document type (resource 129): CWxTypeloomDoc in a CChildFrame
// with CWxTypeloomView. Documents are named "Font"; the file dialogs offer
// every file ("All Files (*.*)") and add no extension. It is not registered
// with the desktop (type "Typeloom.Document", "Font Document").
class CTypeloomDocTemplate final : public wxDocTemplate
{
public:
    CTypeloomDocTemplate(wxDocManager* pManager, wxMDIParentFrame* pFrame);

protected:
    wxDocument* DoCreateDocument() override;
    wxView* DoCreateView() override;

private:
    wxMDIParentFrame* m_pFrame;
};
