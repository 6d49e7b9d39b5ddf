#include "FakeSerialPort.h"

#include <algorithm>
#include <cstring>

bool CFakeSerialPort::Open(const std::string& strDevice)
{
    m_strDevice = strDevice;
    if (m_bFailOpen || m_bOpen)
    {
        SetLastError(m_bOpen ? ESerialFault::Other : m_eOpenFault,
                     strDevice + ": " + (m_bOpen ? std::string("cannot open") : m_strOpenCause));
        return false;
    }
    m_bOpen = true;
    ++m_nOpenCount;
    return true;
}

bool CFakeSerialPort::Configure(const CSerialSettings& settings)
{
    m_settings.push_back(settings);
    if (m_bFailConfigure || !m_bOpen)
    {
        SetLastError(ESerialFault::Other, m_strDevice + ": settings rejected");
        return false;
    }
    return true;
}

bool CFakeSerialPort::SetReadTimeouts(const CReadTimeouts& timeouts)
{
    m_timeouts.push_back(timeouts);
    return m_bOpen;
}

long long CFakeSerialPort::Write(const void* pData, std::size_t nCount)
{
    const int nCall = m_nWriteCalls++;
    if (!m_bOpen || nCall == m_nFailWriteAt)
    {
        SetLastError(ESerialFault::Other, m_strDevice + ": write failed");
        return -1;
    }
    if (nCall == m_nShortWriteAt && nCount > 0)
        --nCount;
    const auto* p = static_cast<const std::uint8_t*>(pData);
    m_writes.push_back({std::vector<std::uint8_t>(p, p + nCount),
                        m_pClock ? m_pClock->Now() : CClock::Duration{0}});
    if (m_onWrite)
        m_onWrite(*this, m_writes.back().m_bytes);
    return static_cast<long long>(nCount);
}

long long CFakeSerialPort::Read(void* pBuffer, std::size_t nCount)
{
    m_readSizes.push_back(nCount);
    if (!m_bOpen || m_bFailRead)
    {
        SetLastError(ESerialFault::Other, m_strDevice + ": read failed");
        return -1;
    }
    if (m_reads.empty())
        return 0;
    auto& block = m_reads.front();
    const std::size_t nTake = std::min(nCount, block.size());
    std::memcpy(pBuffer, block.data(), nTake);
    block.erase(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(nTake));
    if (block.empty())
        m_reads.pop_front();
    return static_cast<long long>(nTake);
}

bool CFakeSerialPort::Purge(unsigned nFlags)
{
    m_purges.push_back(nFlags);
    if (!m_bOpen)
        return false;
    if (nFlags & (PURGE_RXCLEAR | PURGE_RXABORT))
        m_reads.clear();
    return true;
}

bool CFakeSerialPort::Close()
{
    const bool bWasOpen = m_bOpen;
    m_bOpen = false;
    ++m_nCloseCount;
    return bWasOpen && !m_bFailClose;
}

std::vector<std::uint8_t> CFakeSerialPort::Written() const
{
    std::vector<std::uint8_t> all;
    for (const auto& write : m_writes)
        all.insert(all.end(), write.m_bytes.begin(), write.m_bytes.end());
    return all;
}
