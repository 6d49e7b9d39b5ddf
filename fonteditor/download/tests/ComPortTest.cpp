#include "ComPort.h"

#include "FakePortView.h"
#include "FakeSerialPort.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace
{
struct ComPorts : ::testing::Test
{
    CFakeSerialPort m_port;
    int m_nMade = 0;
    CComPortFactoryScope m_scope{[this]
                                 {
                                     ++m_nMade;
                                     return CFakePortView::Of(m_port);
                                 }};
};
} // namespace

TEST_F(ComPorts, OpenConfiguresTheLineThenTimeOutsThenClearsBothQueues)
{
    SetTestEnvironment("VFDKIT_COM4", "/dev/vfdkit-test-port");
    const int hPort = OpenComPort(4, 9600);
    UnsetTestEnvironment("VFDKIT_COM4");
    ASSERT_NE(hPort, kInvalidComPort);
    EXPECT_EQ(FindComPort(hPort) != nullptr, true);
    EXPECT_EQ(m_port.m_strDevice, "/dev/vfdkit-test-port");
    EXPECT_EQ(m_port.m_settings, (std::vector<CSerialSettings>{{9600, 0, 8}}));
    EXPECT_EQ(m_port.m_timeouts, (std::vector<CReadTimeouts>{{50, 1, 50}}));
    EXPECT_EQ(m_port.m_purges, (std::vector<unsigned>{PURGE_TXCLEAR | PURGE_RXCLEAR}));

    CloseComPort(hPort);
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(m_port.m_purges.size(), 2u); // cleared again before closing
    EXPECT_EQ(FindComPort(hPort), nullptr);
    EXPECT_EQ(WriteComPort(hPort, Bytes{1}.data(), 1), -1);
}

TEST_F(ComPorts, PortNumbersOutsideOneToNineOpenNothing)
{
    for (int nPort : {0, 10, -1, 256})
        EXPECT_EQ(OpenComPort(nPort, 9600), kInvalidComPort) << nPort;
    EXPECT_EQ(m_nMade, 0);
}

TEST_F(ComPorts, AFailedStepClosesThePortAgain)
{
    m_port.m_bFailOpen = true;
    EXPECT_EQ(OpenComPort(1, 9600), kInvalidComPort);
    EXPECT_EQ(m_port.m_nCloseCount, 0);

    m_port.m_bFailOpen = false;
    m_port.m_bFailConfigure = true;
    EXPECT_EQ(OpenComPort(1, 9600), kInvalidComPort);
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(m_port.m_nCloseCount, 1);
    EXPECT_TRUE(m_port.m_timeouts.empty()); // nothing after the failed step

    // The same port opens once it takes the settings.
    m_port.m_bFailConfigure = false;
    const int hPort = OpenComPort(1, 9600);
    EXPECT_NE(hPort, kInvalidComPort);
    CloseComPort(hPort);
}

TEST_F(ComPorts, HandlesAreReusedAndTheInvalidOneDoesNothing)
{
    const int hFirst = OpenComPort(1, 9600);
    CloseComPort(hFirst);
    const int hSecond = OpenComPort(1, 9600);
    EXPECT_EQ(hSecond, hFirst);
    CloseComPort(hSecond);

    std::uint8_t buffer[5];
    EXPECT_EQ(WriteComPort(kInvalidComPort, buffer, 5), -1);
    EXPECT_EQ(ReadComPort(kInvalidComPort, buffer, 5), -1);
    CloseComPort(kInvalidComPort);
    EXPECT_EQ(m_port.m_nCloseCount, 2);
}

TEST_F(ComPorts, ReadAndWritePassCountsAndFailures)
{
    const int hPort = OpenComPort(2, 9600);
    const Bytes out = {1, 2, 3};
    EXPECT_EQ(WriteComPort(hPort, out.data(), out.size()), 3);
    EXPECT_EQ(m_port.Written(), out);
    m_port.m_nFailWriteAt = 1;
    EXPECT_EQ(WriteComPort(hPort, out.data(), out.size()), -1);

    std::uint8_t buffer[5];
    EXPECT_EQ(ReadComPort(hPort, buffer, 5), 0);
    m_port.QueueRead({9, 8});
    EXPECT_EQ(ReadComPort(hPort, buffer, 5), 2);
    m_port.m_bFailRead = true;
    EXPECT_EQ(ReadComPort(hPort, buffer, 5), -1);
    CloseComPort(hPort);
}

TEST(XorChecksum, XorsEveryByteGiven)
{
    const Bytes bytes = {0x1B, 0x05, 0x01, 0x02};
    EXPECT_EQ(XorChecksum(bytes.data(), 4), 0x1B ^ 0x05 ^ 0x01 ^ 0x02);
    EXPECT_EQ(XorChecksum(bytes.data(), 1), 0x1B);
    EXPECT_EQ(XorChecksum(bytes.data(), 0), 0);
    EXPECT_EQ(XorChecksum(nullptr, 0), 0);
}

TEST_F(ComPorts, ReadReplyPausesBeforeEachOfTenAttempts)
{
    CVirtualClock clock;
    const int hPort = OpenComPort(1, 9600);
    std::uint8_t reply[5] = {};
    EXPECT_EQ(ReadReply(hPort, reply, clock), 0);
    ASSERT_EQ(clock.Waits().size(), 10u);
    for (const auto& wait : clock.Waits())
    {
        EXPECT_EQ(wait.m_kind, CVirtualClock::EWait::Sleep);
        EXPECT_EQ(wait.m_duration, 500ms);
    }
    EXPECT_EQ(m_port.m_readSizes, std::vector<std::size_t>(10, 5));

    // The first attempt that receives anything ends it, with its count.
    clock.ClearWaits();
    m_port.QueueRead({0x1B, 0x05, 0x01});
    EXPECT_EQ(ReadReply(hPort, reply, clock), 3);
    EXPECT_EQ(clock.Waits().size(), 1u);
    EXPECT_EQ(reply[2], 0x01);

    // Failed reads are attempts that received nothing.
    clock.ClearWaits();
    m_port.m_bFailRead = true;
    EXPECT_EQ(ReadReply(hPort, reply, clock), 0);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 5000ms);
    EXPECT_EQ(ReadReply(kInvalidComPort, reply, clock), 0);
    CloseComPort(hPort);
}
