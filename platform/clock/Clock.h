#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

// Time as the programs see it. Sleep() gives the processor away (the
// platform's Sleep); BusyWait() keeps it, reading the high-resolution counter
// until the time has passed, as the driver's byte pacing requires.
class CClock
{
public:
    using Duration = std::chrono::nanoseconds;

    virtual ~CClock() = default;

    // Monotonic time since an arbitrary start.
    virtual Duration Now() = 0;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
    virtual void BusyWait(Duration duration) = 0;

    // The process-wide real clock.
    static CClock& Real();
};

class CRealClock final : public CClock
{
public:
    Duration Now() override;
    void Sleep(std::chrono::milliseconds duration) override;
    void BusyWait(Duration duration) override;
};

// Virtual time for tests: waits return at once, advance the time by exactly
// their duration and are recorded in order.
class CVirtualClock final : public CClock
{
public:
    enum class EWait
    {
        Sleep,
        Busy
    };

    struct CWait
    {
        EWait m_kind;
        Duration m_duration;
        Duration m_at; // the time at which the wait began

        bool operator==(const CWait&) const = default;
    };

    Duration Now() override { return m_now; }
    void Sleep(std::chrono::milliseconds duration) override;
    void BusyWait(Duration duration) override;

    // Moves time on without a wait, as line time or work would.
    void Advance(Duration duration) { m_now += duration; }

    const std::vector<CWait>& Waits() const { return m_waits; }
    // Total of the recorded waits of one kind.
    Duration Total(EWait kind) const;
    void ClearWaits() { m_waits.clear(); }

private:
    Duration m_now{0};
    std::vector<CWait> m_waits;
};
