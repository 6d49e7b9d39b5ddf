#include "Clock.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(VirtualClock, WaitsAdvanceTimeAndAreRecordedInOrder)
{
    CVirtualClock clock;
    clock.Sleep(500ms);
    clock.Advance(3ms);
    clock.BusyWait(20ms);

    EXPECT_EQ(clock.Now(), 523ms);
    ASSERT_EQ(clock.Waits().size(), 2u);
    EXPECT_EQ(clock.Waits()[0], (CVirtualClock::CWait{CVirtualClock::EWait::Sleep, 500ms, 0ms}));
    EXPECT_EQ(clock.Waits()[1], (CVirtualClock::CWait{CVirtualClock::EWait::Busy, 20ms, 503ms}));
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 500ms);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Busy), 20ms);
}

TEST(RealClock, BusyWaitNeverReturnsEarly)
{
    CClock& clock = CClock::Real();
    const auto start = clock.Now();
    clock.BusyWait(2ms);
    EXPECT_GE(clock.Now() - start, 2ms);
}

// Measured against the standard library's steady clock, which reads the
// platform's time another way: a mistake in turning counter ticks into time
// would show as waits far too short or far too long.
TEST(RealClock, WaitsAndTimeAgreeWithTheSteadyClock)
{
    using std::chrono::steady_clock;
    CClock& clock = CClock::Real();

    auto steadyStart = steady_clock::now();
    clock.BusyWait(20ms);
    const auto busy = steady_clock::now() - steadyStart;
    EXPECT_GE(busy, 20ms);
    EXPECT_LT(busy, 2s);

    steadyStart = steady_clock::now();
    const auto start = clock.Now();
    clock.Sleep(30ms);
    const auto slept = clock.Now() - start;
    const auto steadySlept = steady_clock::now() - steadyStart;
    EXPECT_GE(slept, 29ms); // the system's sleep may end a tick's fraction early
    EXPECT_GE(steadySlept, 29ms);
    // Both clocks saw the same stretch of time (give or take being preempted).
    EXPECT_LT(slept - steadySlept, 20ms);
    EXPECT_LT(steadySlept - slept, 20ms);
}
