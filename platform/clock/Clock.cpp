#include "Clock.h"

#include <algorithm>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#endif

CClock& CClock::Real()
{
    static CRealClock s_clock;
    return s_clock;
}

#ifdef _WIN32
// The high-resolution performance counter, as the driver's byte pacing asks
// for: its frequency is read again for every wait.
namespace
{
std::int64_t CounterFrequency()
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

std::int64_t Counter()
{
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

// Whole seconds and the rest apart, so that neither product overflows.
CClock::Duration TicksToDuration(std::int64_t nTicks, std::int64_t nFrequency)
{
    return CClock::Duration(nTicks / nFrequency * kNanosecondsPerSecond +
                            nTicks % nFrequency * kNanosecondsPerSecond / nFrequency);
}
} // namespace

CClock::Duration CRealClock::Now()
{
    return TicksToDuration(Counter(), CounterFrequency());
}

void CRealClock::Sleep(std::chrono::milliseconds duration)
{
    for (auto left = duration.count(); left > 0;)
    {
        const auto nStep = std::min<long long>(left, 0x7FFFFFFF);
        ::Sleep(static_cast<DWORD>(nStep));
        left -= nStep;
    }
}

void CRealClock::BusyWait(Duration duration)
{
    const std::int64_t nFrequency = CounterFrequency();
    const std::int64_t nStart = Counter();
    while (TicksToDuration(Counter() - nStart, nFrequency) < duration)
    {
        // Deliberately no yield: the gap must not stretch by a scheduler tick.
    }
}
#else
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
#endif

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
