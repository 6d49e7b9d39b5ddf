#include "PageWindow.h"

#include "WxResources.h"

#include <wx/panel.h>

CWxPageWindow::CWxPageWindow(int nDialogId)
    : m_nDialogId(nDialogId), m_pUncreated(std::make_unique<wxPanel>()),
      m_pPanel(m_pUncreated.get()), m_controls(*m_pPanel), m_ui(m_pPanel)
{
}

CWxPageWindow::~CWxPageWindow() = default;

bool CWxPageWindow::Create(wxWindow& parent)
{
    if (IsCreated())
        return true;
    if (!LoadXrcPanel(*m_pPanel, &parent, m_nDialogId))
        return false;
    // Hidden before it is ever drawn: it shows once it is placed.
    m_pPanel->Hide();
    // From now on the parent destroys it.
    static_cast<void>(m_pUncreated.release());
    return true;
}
