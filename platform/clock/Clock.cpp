#include "Clock.h"

#include <thread>

CClock& CClock::Real()
{
    static CRealClock s_clock;
    return s_clock;
}

CClock::Duration CRealClock::Now()
{
    return std::chrono::duration_cast<Duration>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void CRealClock::Sleep(std::chrono::milliseconds duration)
{
    if (duration.count() > 0)
        std::this_thread::sleep_for(duration);
}

void CRealClock::BusyWait(Duration duration)
{
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < duration)
    {
        // Deliberately no yield: the gap must not stretch by a scheduler tick.
    }
}

void CVirtualClock::Sleep(std::chrono::milliseconds duration)
{
    m_waits.push_back({EWait::Sleep, duration, m_now});
    m_now += duration;
}

void CVirtualClock::BusyWait(Duration duration)
{
    m_waits.push_back({EWait::Busy, duration, m_now});
    m_now += duration;
}

CClock::Duration CVirtualClock::Total(EWait kind) const
{
    Duration total{0};
    for (const auto& wait : m_waits)
        if (wait.m_kind == kind)
            total += wait.m_duration;
    return total;
}
