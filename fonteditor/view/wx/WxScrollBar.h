#pragma once

#include "ViewSite.h"

#include <functional>

class wxScrollBar;
class wxScrollEvent;
class wxMouseEvent;

// The page scroll bar on a wxScrollBar. The logic reads and sets the bar's
// range and position as a window's own scroll bar keeps them: from a
// minimum to a maximum, a page size, and the position where the handler put
// it. The toolkit's bar moves itself before it reports a step; the position
// kept here is the one the logic set, and the bar is put back to it after
// every request.
class CWxScrollBar final : public CScrollBar
{
public:
    // A request as the bar sends it, with the thumb's position for tracking.
    using CHandler = std::function<void(EScrollRequest request, int nThumbPos)>;

    void Attach(wxScrollBar* pBar, CHandler handler);

    void GetScrollRange(int& nMin, int& nMax) const override;
    int GetScrollPos() const override { return m_info.m_nPos; }
    void SetScrollPos(int nPos) override;
    void SetScrollInfo(const CScrollInfo& info) override;

private:
    void OnScroll(wxScrollEvent& event, EScrollRequest request);
    void OnWheel(wxMouseEvent& event);
    void Show();
    int LastPos() const;

    wxScrollBar* m_pBar = nullptr;
    int m_nWheelRotation = 0; // turned but not yet a whole notch (touchpads)
    CHandler m_handler;
    CScrollInfo m_info;
};
