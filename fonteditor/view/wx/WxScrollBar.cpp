#include "WxScrollBar.h"

#include "WxControlAccess.h"

#include <algorithm>

#include <wx/scrolbar.h>

void CWxScrollBar::Attach(wxScrollBar* pBar, CHandler handler)
{
    m_pBar = pBar;
    m_handler = std::move(handler);
    if (!m_pBar)
        return;
    const std::pair<wxEventTypeTag<wxScrollEvent>, EScrollRequest> requests[] = {
        {wxEVT_SCROLL_LINEUP, EScrollRequest::LineUp},
        {wxEVT_SCROLL_LINEDOWN, EScrollRequest::LineDown},
        {wxEVT_SCROLL_PAGEUP, EScrollRequest::PageUp},
        {wxEVT_SCROLL_PAGEDOWN, EScrollRequest::PageDown},
        {wxEVT_SCROLL_THUMBTRACK, EScrollRequest::ThumbTrack},
        {wxEVT_SCROLL_THUMBRELEASE, EScrollRequest::ThumbPosition},
        {wxEVT_SCROLL_TOP, EScrollRequest::Top},
        {wxEVT_SCROLL_BOTTOM, EScrollRequest::Bottom},
        {wxEVT_SCROLL_CHANGED, EScrollRequest::EndScroll},
    };
    for (const auto& [type, request] : requests)
        m_pBar->Bind(type, [this, request](wxScrollEvent& event)
                     { Handle(request, m_info.m_nMin + event.GetPosition()); });
    // The toolkit turns one wheel notch into several pages; here a notch is
    // one step, so a big font can be walked page by page.
    m_pBar->Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& event) { OnWheel(event); });
}

void CWxScrollBar::Handle(EScrollRequest request, int nThumbPos)
{
    if (!m_handler)
        return;
    m_info = m_handler(request, nThumbPos);
    ShowScrollInfo(*m_pBar, m_info);
}

void CWxScrollBar::OnWheel(wxMouseEvent& event)
{
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL)
        return;
    m_nWheelRotation += event.GetWheelRotation();
    const int nDelta = std::max(event.GetWheelDelta(), 1);
    while (m_nWheelRotation >= nDelta || m_nWheelRotation <= -nDelta)
    {
        const bool bUp = m_nWheelRotation > 0;
        m_nWheelRotation += bUp ? -nDelta : nDelta;
        Handle(bUp ? EScrollRequest::LineUp : EScrollRequest::LineDown, m_info.m_nPos);
    }
}
