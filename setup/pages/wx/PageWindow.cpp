#include "PageWindow.h"

#include "WxResources.h"

#include <wx/panel.h>

namespace
{
// A missing resource (a wx error) leaves an empty page.
wxPanel* LoadPage(wxWindow& parent, int nDialogId)
{
    auto* pPanel = new wxPanel();
    if (!LoadXrcPanel(*pPanel, &parent, nDialogId))
        pPanel->Create(&parent);
    // Its owner finds it as it finds its controls.
    pPanel->SetId(nDialogId);
    // Hidden before it is ever drawn: it shows once it is placed.
    pPanel->Hide();
    return pPanel;
}
} // namespace

CWxPageWindow::CWxPageWindow(wxWindow& parent, int nDialogId)
    : m_nDialogId(nDialogId), m_pPanel(LoadPage(parent, nDialogId)), m_controls(*m_pPanel),
      m_ui(m_pPanel)
{
}
