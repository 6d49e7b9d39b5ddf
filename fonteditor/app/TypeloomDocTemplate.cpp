#include "TypeloomDocTemplate.h"

#include "ChildFrame.h"
#include "TypeloomStrings.h"
#include "WxTypeloomDoc.h"

#include <wx/filedlg.h>

CTypeloomDocTemplate::CTypeloomDocTemplate(wxDocManager* pManager, wxMDIParentFrame* pFrame,
                                           CDownloadLauncher& launcher)
    : wxDocTemplate(pManager, kFilterName, wxFileSelectorDefaultWildcardStr, wxString(), wxString(),
                    kDocumentName, kDocumentName, nullptr, nullptr, wxTEMPLATE_VISIBLE),
      m_pFrame(pFrame), m_launcher(launcher)
{
}

wxDocument* CTypeloomDocTemplate::DoCreateDocument()
{
    return new CWxTypeloomDoc;
}

wxView* CTypeloomDocTemplate::DoCreateView()
{
    return new CWxTypeloomView([this](wxDocument& doc, wxView& view) -> wxWindow*
                               { return new CChildFrame(&doc, &view, m_pFrame); },
                               m_launcher);
}
