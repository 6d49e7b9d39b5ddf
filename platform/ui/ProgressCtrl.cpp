#include "ProgressCtrl.h"

#include <algorithm>

void CProgressCtrl::Attach(CProgressBarWindow window)
{
    m_window = std::move(window);
    Show();
}

void CProgressCtrl::Show() const
{
    if (m_window)
        m_window(m_state);
}

int CProgressCtrl::Clamp(int nPos) const
{
    return std::clamp(nPos, m_state.m_nLower, std::max(m_state.m_nLower, m_state.m_nUpper));
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    m_state.m_nLower = nLower;
    m_state.m_nUpper = nUpper;
    m_state.m_nPos = Clamp(m_state.m_nPos);
    Show();
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_state.m_nLower;
    nUpper = m_state.m_nUpper;
}

int CProgressCtrl::SetPos(int nPos)
{
    const int nOld = m_state.m_nPos;
    m_state.m_nPos = Clamp(nPos);
    Show();
    return nOld;
}

int CProgressCtrl::SetStep(int nStep)
{
    const int nOld = m_nStep;
    m_nStep = nStep;
    return nOld;
}

int CProgressCtrl::StepIt()
{
    const int nOld = m_state.m_nPos;
    const int nLower = m_state.m_nLower;
    const int nUpper = m_state.m_nUpper;
    long long nPos = static_cast<long long>(nOld) + m_nStep;
    const long long nSpan = static_cast<long long>(nUpper) - nLower;
    if (nSpan > 0 && (nPos > nUpper || nPos < nLower))
    {
        nPos = (nPos - nLower) % nSpan;
        if (nPos < 0)
            nPos += nSpan;
        nPos += nLower;
    }
    m_state.m_nPos = Clamp(static_cast<int>(nPos));
    Show();
    return nOld;
}
