#include "WxScrollBar.h"

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
        m_pBar->Bind(type, [this, request](wxScrollEvent& event) { OnScroll(event, request); });
    // The toolkit turns one wheel notch into several pages; here a notch is
    // one step, so a big font can be walked page by page.
    m_pBar->Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& event) { OnWheel(event); });
    Show();
}

void CWxScrollBar::OnScroll(wxScrollEvent& event, EScrollRequest request)
{
    // The full position: the toolkit's bar has no 16-bit limit.
    const int nThumbPos = m_info.m_nMin + event.GetPosition();
    if (m_handler)
        m_handler(request, nThumbPos);
    Show();
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
        if (m_handler)
            m_handler(bUp ? EScrollRequest::LineUp : EScrollRequest::LineDown, GetScrollPos());
    }
    Show();
}

void CWxScrollBar::GetScrollRange(int& nMin, int& nMax) const
{
    nMin = m_info.m_nMin;
    nMax = m_info.m_nMax;
}

int CWxScrollBar::LastPos() const
{
    // With a page of n, the last position leaves room for the page.
    const int nPage = std::max(m_info.m_nPage, 1);
    return std::max(m_info.m_nMin, m_info.m_nMax - nPage + 1);
}

void CWxScrollBar::SetScrollPos(int nPos)
{
    m_info.m_nPos = std::clamp(nPos, m_info.m_nMin, LastPos());
    Show();
}

void CWxScrollBar::SetScrollInfo(const CScrollInfo& info)
{
    m_info = info;
    m_info.m_nMax = std::max(info.m_nMin, info.m_nMax);
    m_info.m_nPos = std::clamp(info.m_nPos, m_info.m_nMin, LastPos());
    Show();
}

void CWxScrollBar::Show()
{
    if (!m_pBar)
        return;
    // wx counts positions from 0 over range units, the thumb a page wide.
    const int nPage = std::max(m_info.m_nPage, 1);
    const int nRange = m_info.m_nMax - m_info.m_nMin + 1;
    m_pBar->SetScrollbar(m_info.m_nPos - m_info.m_nMin, nPage, nRange, nPage);
}
