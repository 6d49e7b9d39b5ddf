#include "TextProgressBar.h"

#include <algorithm>

std::string CTextProgressBar::Format(int nPos, int nLower, int nUpper, int nWidth)
{
    const long long nSpan = std::max(1LL, static_cast<long long>(nUpper) - nLower);
    const long long nDone = std::clamp(static_cast<long long>(nPos) - nLower, 0LL, nSpan);
    const auto nFilled = static_cast<std::size_t>(nDone * nWidth / nSpan);
    const std::string strCount = std::to_string(nDone) + "/" + std::to_string(nSpan);
    return "[" + std::string(nFilled, '#') + std::string(nWidth - nFilled, '-') + "] " + strCount;
}

void CTextProgressBar::Show(const CProgressState& state)
{
    m_state = state;
    if (!m_bEnabled)
        return;
    // Back at the start: the transfer is over, the line is left clean.
    if (state.m_nPos == state.m_nLower)
        return Clear();
    m_out << "\r" << Format(state.m_nPos, state.m_nLower, state.m_nUpper) << std::flush;
    m_bDrawn = true;
}

void CTextProgressBar::Clear()
{
    if (!m_bDrawn)
        return;
    const std::string strFull = Format(m_state.m_nUpper, m_state.m_nLower, m_state.m_nUpper);
    m_out << "\r" << std::string(strFull.size(), ' ') << "\r" << std::flush;
    m_bDrawn = false;
}
