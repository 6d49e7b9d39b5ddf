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
