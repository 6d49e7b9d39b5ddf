#include "ProgressCtrl.h"

#include <algorithm>

void CProgressCtrl::Attach(CProgressBarWindow* pWindow)
{
    m_pWindow = pWindow;
    if (m_pWindow)
    {
        m_pWindow->ShowRange(m_nLower, m_nUpper);
        m_pWindow->ShowPos(m_nPos);
    }
}

int CProgressCtrl::Clamp(int nPos) const
{
    return std::clamp(nPos, m_nLower, std::max(m_nLower, m_nUpper));
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    m_nPos = Clamp(m_nPos);
    if (m_pWindow)
    {
        m_pWindow->ShowRange(m_nLower, m_nUpper);
        m_pWindow->ShowPos(m_nPos);
    }
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_nLower;
    nUpper = m_nUpper;
}

int CProgressCtrl::SetPos(int nPos)
{
    const int nOld = m_nPos;
    m_nPos = Clamp(nPos);
    if (m_pWindow)
        m_pWindow->ShowPos(m_nPos);
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
    const int nOld = m_nPos;
    long long nPos = static_cast<long long>(m_nPos) + m_nStep;
    const long long nSpan = static_cast<long long>(m_nUpper) - m_nLower;
    if (nSpan > 0 && (nPos > m_nUpper || nPos < m_nLower))
    {
        nPos = (nPos - m_nLower) % nSpan;
        if (nPos < 0)
            nPos += nSpan;
        nPos += m_nLower;
    }
    m_nPos = Clamp(static_cast<int>(nPos));
    if (m_pWindow)
        m_pWindow->ShowPos(m_nPos);
    return nOld;
}
