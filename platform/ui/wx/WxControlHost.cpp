#include "WxControlHost.h"

#include <wx/window.h>

CWxControlHost::~CWxControlHost()
{
    Bind(nullptr);
}

void CWxControlHost::Bind(wxWindow* pWindow)
{
    if (m_pWindow)
        m_pWindow->Unbind(wxEVT_DESTROY, &CWxControlHost::OnWindowDestroyed, this);
    m_pWindow = pWindow;
    if (m_pWindow)
        m_pWindow->Bind(wxEVT_DESTROY, &CWxControlHost::OnWindowDestroyed, this);
}

void CWxControlHost::OnWindowDestroyed(wxWindowDestroyEvent& event)
{
    // Children's destruction passes through here too.
    if (event.GetEventObject() == m_pWindow)
        m_pWindow = nullptr;
    event.Skip();
}

CClientSize CWxControlHost::GetClientSize() const
{
    if (!m_pWindow)
        return {};
    const wxSize size = m_pWindow->GetClientSize();
    return CClientSize{size.x, size.y};
}

void CWxControlHost::Invalidate()
{
    if (m_pWindow)
        m_pWindow->Refresh();
}
