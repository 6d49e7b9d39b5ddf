#include "ByteRouter.h"

namespace
{
// The fixed start of the editor's header frame.
constexpr std::uint8_t kHeaderStart[] = {0x1B, 0x0C, 0x01, 0x01};
constexpr std::size_t kHeaderLength = 12;
} // namespace

void CByteRouter::Feed(const std::uint8_t* pData, std::size_t nCount)
{
    std::size_t nAt = 0;
    while (nAt < nCount)
    {
        if (m_peer.IsActive())
            nAt += m_peer.Feed(pData + nAt, nCount - nAt);
        else if (m_held.empty() && m_decoder.InCommand())
            m_decoder.Feed(pData[nAt++]);
        else
            Hold(pData[nAt++]);
    }
}

bool CByteRouter::HeldCouldBeHeader() const
{
    for (std::size_t i = 0; i < m_held.size() && i < sizeof kHeaderStart; ++i)
        if (m_held[i] != kHeaderStart[i])
            return false;
    return m_held.size() < kHeaderLength ||
           CDownloadPeer::IsHeaderFrame(m_held.data(), m_held.size());
}

void CByteRouter::Hold(std::uint8_t nByte)
{
    m_held.push_back(nByte);
    // Pass on the bytes that can no longer start a header; what is left
    // may still be one (another ESC inside a failed candidate, say).
    while (!m_held.empty() && !HeldCouldBeHeader())
    {
        m_decoder.Feed(m_held.front());
        m_held.erase(m_held.begin());
    }
    if (m_held.size() == kHeaderLength)
    {
        const std::vector<std::uint8_t> header = std::move(m_held);
        m_held.clear();
        m_peer.Begin(header);
    }
}

void CByteRouter::OnIdle()
{
    for (const std::uint8_t nByte : m_held)
        m_decoder.Feed(nByte);
    m_held.clear();
    m_peer.OnIdle();
    m_decoder.OnIdle();
}
