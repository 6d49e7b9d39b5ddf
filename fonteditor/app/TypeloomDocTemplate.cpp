#include "TypeloomDocTemplate.h"

#include "ChildFrame.h"
#include "TypeloomStrings.h"
#include "WxTypeloomDoc.h"

#include <wx/filedlg.h>

CTypeloomDocTemplate::CTypeloomDocTemplate(wxDocManager* pManager, wxMDIParentFrame* pFrame)
    : wxDocTemplate(pManager, kFilterName, wxFileSelectorDefaultWildcardStr, wxString(), wxString(),
                    kDocumentName, kDocumentName, nullptr, nullptr, wxTEMPLATE_VISIBLE),
      m_pFrame(pFrame)
{
}

wxDocument* CTypeloomDocTemplate::DoCreateDocument()
{
    return new CWxTypeloomDoc;
}

wxView* CTypeloomDocTemplate::DoCreateView()
{
    return new CWxTypeloomView([this](wxDocument& doc, wxView& view) -> wxWindow*
                               { return new CChildFrame(&doc, &view, m_pFrame); });
}
