#include "WxProgressBar.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <wx/evtloop.h>
#include <wx/gauge.h>

namespace
{
constexpr auto kPaintTime = std::chrono::milliseconds(40);
} // namespace

void CWxProgressBar::ShowRange(int nLower, int nUpper)
{
    // A gauge always starts at 0: positions are shown relative to the lower end.
    m_nLower = nLower;
    m_gauge.SetRange(std::max(nUpper - nLower, 1));
    ShowNow();
}

void CWxProgressBar::ShowPos(int nPos)
{
    m_gauge.SetValue(std::clamp(nPos - m_nLower, 0, m_gauge.GetRange()));
    ShowNow();
}

void CWxProgressBar::ShowNow()
{
    m_gauge.Refresh();
    m_gauge.Update();
    // The toolkit paints at the pace of its frame clock, so its paint and
    // layout events run for about two frames. Only those: clicks and keys
    // wait until the job is done, as they would while any handler runs.
    wxEventLoopBase* pLoop = wxEventLoopBase::GetActive();
    if (!pLoop || pLoop->IsYielding())
        return;
    const auto until = std::chrono::steady_clock::now() + kPaintTime;
    do
    {
        pLoop->YieldFor(wxEVT_CATEGORY_UI);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < until);
}
