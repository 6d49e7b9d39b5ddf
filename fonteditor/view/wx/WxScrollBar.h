#pragma once

#include "TypeloomView.h"

#include <functional>

class wxScrollBar;
class wxScrollEvent;
class wxMouseEvent;

// The page scroll bar's requests from a wxScrollBar. The toolkit's bar moves
// itself before it reports a step; the logic decides the position, so after
// every request the bar is put back to the state the handler returns.
class CWxScrollBar
{
public:
    // A request as the bar sends it, with the thumb's position for tracking;
    // returns the bar's state once handled.
    using CHandler = std::function<CScrollInfo(EScrollRequest request, int nThumbPos)>;

    void Attach(wxScrollBar* pBar, CHandler handler);

private:
    void Handle(EScrollRequest request, int nThumbPos);
    void OnWheel(wxMouseEvent& event);

    wxScrollBar* m_pBar = nullptr;
    int m_nWheelRotation = 0; // turned but not yet a whole notch (touchpads)
    CHandler m_handler;
    CScrollInfo m_info; // as the handler last returned it
};
