#include "WxProgressBar.h"

#include <algorithm>

#include <wx/evtloop.h>
#include <wx/gauge.h>

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
    // Paint and layout only: clicks and keys wait until the job is done, as
    // they would while any handler runs.
    wxEventLoopBase* pLoop = wxEventLoopBase::GetActive();
    if (pLoop && !pLoop->IsYielding())
        pLoop->YieldFor(wxEVT_CATEGORY_UI);
}
