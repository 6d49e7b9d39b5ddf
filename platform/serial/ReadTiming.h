#pragma once

#include "SerialPort.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>

// The read time-outs of one Read call, with the platform's meaning, for the
// backends that wait with poll(): how long to wait next, and when to stop.
class CReadTiming
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::uint32_t kMaxTimeout = 0xFFFFFFFF; // the platform's MAXDWORD

    CReadTiming(const CReadTimeouts& t, std::size_t nCount)
        : m_start(Clock::now()), m_lastByte(m_start)
    {
        // The platform's two special cases: an interval of "no limit"
        // without totals returns at once with what has arrived; with a total
        // of "no limit" per byte it waits for the first byte only, up to the
        // constant.
        const bool bAtOnce =
            t.m_nIntervalMs == kMaxTimeout && t.m_nTotalPerByteMs == 0 && t.m_nTotalConstantMs == 0;
        m_bFirstByteOnly = t.m_nIntervalMs == kMaxTimeout && t.m_nTotalPerByteMs == kMaxTimeout &&
                           t.m_nTotalConstantMs > 0 && t.m_nTotalConstantMs < kMaxTimeout;
        unsigned long long nTotalMs = 0;
        if (m_bFirstByteOnly)
            nTotalMs = t.m_nTotalConstantMs;
        else if (!bAtOnce)
        {
            nTotalMs = static_cast<unsigned long long>(t.m_nTotalPerByteMs) * nCount +
                       t.m_nTotalConstantMs;
            m_interval = std::chrono::milliseconds(t.m_nIntervalMs);
        }
        m_bDeadline = bAtOnce || nTotalMs > 0;
        m_deadline = m_start + std::chrono::milliseconds(nTotalMs);
    }

    // Bytes came in; true when the read is done with them (first-byte mode).
    bool OnBytes()
    {
        m_lastByte = Clock::now();
        return m_bFirstByteOnly;
    }

    // Milliseconds to wait for more (-1: no limit, 0: the read is over). The
    // interval counts only once the first byte is in.
    int WaitMs(std::size_t nGot) const
    {
        int nWaitMs = -1;
        if (m_bDeadline)
            nWaitMs = MillisecondsUntil(m_deadline);
        if (m_interval.count() > 0 && nGot > 0)
        {
            const int nGapMs = MillisecondsUntil(m_lastByte + m_interval);
            nWaitMs = nWaitMs < 0 ? nGapMs : std::min(nWaitMs, nGapMs);
        }
        return nWaitMs;
    }

    // Rounded up, so that poll() never wakes just before the point and spins.
    static int MillisecondsUntil(Clock::time_point when)
    {
        const auto left = when - Clock::now();
        if (left <= Clock::duration::zero())
            return 0;
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        return static_cast<int>(std::min<long long>(ms, 1'000'000'000));
    }

private:
    Clock::time_point m_start;
    Clock::time_point m_lastByte;
    Clock::time_point m_deadline;
    bool m_bDeadline = false;
    std::chrono::milliseconds m_interval{0}; // 0: no limit between bytes
    bool m_bFirstByteOnly = false;
};
