#include "SimTestSupport.h"
#include "Simulator.h"

#include <condition_variable>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

namespace
{
// The simulator serving its line on its own thread, watched through the
// hand-over the window uses.
struct LiveScreen : ::testing::Test
{
    std::mutex m_mutex;
    std::condition_variable m_published;
    CLiveScreen m_live{[this]
                       {
                           const std::lock_guard lock(m_mutex);
                           m_published.notify_all();
                       }};
    CSimulator m_simulator{CSimOptions{}};
    int m_stop[2] = {-1, -1};
    int m_nPort = -1;
    std::thread m_thread;

    void SetUp() override
    {
        std::string strError;
        ASSERT_TRUE(m_simulator.Start(strError)) << strError;
        m_simulator.AttachLive(m_live);
        ASSERT_EQ(::pipe2(m_stop, O_CLOEXEC), 0);
        m_nPort = ::open(m_simulator.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(m_nPort, 0);
        m_thread = std::thread([this] { m_simulator.Run(m_stop[0]); });
    }
    void TearDown() override
    {
        if (m_thread.joinable())
        {
            const char c = 1;
            EXPECT_EQ(::write(m_stop[1], &c, 1), 1);
            m_thread.join();
        }
        for (const int fd : {m_stop[0], m_stop[1], m_nPort})
            if (fd >= 0)
                ::close(fd);
    }
    void Send(const Bytes& bytes)
    {
        ASSERT_EQ(::write(m_nPort, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // The first published state that passes, or the last one seen when
    // none did within a generous time.
    CLiveState WaitFor(const std::function<bool(const CLiveState&)>& passes)
    {
        std::unique_lock lock(m_mutex);
        CLiveState state;
        m_published.wait_for(lock, std::chrono::seconds(5),
                             [&]
                             {
                                 state = m_live.Latest();
                                 return passes(state);
                             });
        return state;
    }
};
} // namespace

TEST_F(LiveScreen, EveryChangeReachesTheWatcherWithItsCounters)
{
    const auto start = m_live.Latest();
    EXPECT_EQ(start.m_strDevice, m_simulator.DevicePath());
    EXPECT_EQ(start.m_nBytes, 0u);

    Send({'H', 'i', 0x1F, 0x23, 0x01, 0x03});
    const auto state = WaitFor([](const CLiveState& s)
                               { return s.m_display.WarningColumn() == 3 && s.m_nCommands >= 2; });
    EXPECT_EQ(state.m_display.LineCodes(0).substr(0, 2), "Hi");
    EXPECT_EQ(state.m_display.WarningColumn(), 3);
    EXPECT_EQ(state.m_nBytes, 6u);
    EXPECT_EQ(state.m_nFrames, 0u);
    ASSERT_FALSE(state.m_tail.empty());
    EXPECT_EQ(state.m_tail.back().rfind("warning ", 0), 0u) << state.m_tail.back();
    EXPECT_GT(state.m_nVersion, start.m_nVersion);
}

TEST_F(LiveScreen, AFaultChosenWhileRunningIsInForceForTheNextTransfer)
{
    m_live.RequestFault({CDownloadFaults::EFault::BadKey, 7, 0});
    const auto state = WaitFor([](const CLiveState& s) { return s.m_strFault == "bad-key"; });
    EXPECT_EQ(state.m_strFault, "bad-key");
    ASSERT_FALSE(state.m_tail.empty());
    EXPECT_EQ(state.m_tail.back(), "fault fault=\"bad-key\" value=0");
    EXPECT_EQ(m_simulator.Peer().Faults().m_nAtFrame, 0u); // not the requested 7: the next frame
}
