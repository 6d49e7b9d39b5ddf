#include "DriverFixture.h"

namespace
{
struct DriverPort : ::testing::Test
{
    CDriverParts parts;
    CDriverPort port{parts.Factory(), CDriverParts::Namer(), parts.m_clock};
};

std::vector<CClock::Duration> WriteTimes(const CFakeSerialPort& fake)
{
    std::vector<CClock::Duration> times;
    for (const auto& write : fake.m_writes)
        times.push_back(write.m_at);
    return times;
}
} // namespace

TEST_F(DriverPort, OpenTakesTheLowBytesOfPortAndParityAndTheWholeRate)
{
    ASSERT_EQ(port.OpenDComm(0x101, 0x102, 38400), 1);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(parts.m_fake.m_strDevice, "COM1");
    ASSERT_EQ(parts.m_fake.m_settings.size(), 1u);
    // Flow control and the rest stay as the port has them.
    EXPECT_EQ(parts.m_fake.m_settings[0], (CSerialSettings{38400, 2, 8, true}));
    // Reads keep the port's own time-outs.
    EXPECT_TRUE(parts.m_fake.m_timeouts.empty());
    EXPECT_TRUE(parts.m_fake.m_writes.empty());
}

TEST_F(DriverPort, ASecondOpenIsRefusedAndTheFirstPortStaysUsable)
{
    ASSERT_EQ(port.OpenDComm(3, 0, 9600), 1);
    EXPECT_EQ(port.OpenDComm(4, 1, 1200), 0);
    EXPECT_EQ(parts.m_fake.m_nOpenCount, 1);
    EXPECT_EQ(parts.m_fake.m_strDevice, "COM3");
    EXPECT_EQ(parts.m_fake.m_settings.size(), 1u);
    EXPECT_EQ(parts.m_fake.m_nCloseCount, 0);
    const std::uint8_t byte = 0x0C;
    EXPECT_EQ(port.SendDStr(&byte, 1), 1);
    EXPECT_EQ(parts.m_fake.Written(), Bytes{0x0C});
}

TEST_F(DriverPort, AFailedOpenLeavesNoPortAndALaterOpenSucceeds)
{
    parts.m_fake.m_bFailOpen = true;
    EXPECT_EQ(port.OpenDComm(9, 0, 9600), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(parts.m_fake.m_settings.empty());

    parts.m_bNoPortObject = true;
    EXPECT_EQ(port.OpenDComm(1, 0, 9600), 0);
    EXPECT_FALSE(port.IsOpen());

    parts.m_bNoPortObject = false;
    parts.m_fake.m_bFailOpen = false;
    EXPECT_EQ(port.OpenDComm(1, 0, 9600), 1);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(DriverPort, APortRejectingTheSettingsIsClosedAgain)
{
    parts.m_fake.m_bFailConfigure = true;
    EXPECT_EQ(port.OpenDComm(1, 0, 123), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(parts.m_fake.IsOpen());
    EXPECT_EQ(parts.m_fake.m_nCloseCount, 1);
    EXPECT_EQ(port.CloseDComm(), 0);

    parts.m_fake.m_bFailConfigure = false;
    EXPECT_EQ(port.OpenDComm(1, 0, 9600), 1);
}

TEST_F(DriverPort, CloseAnswersWhetherThePlatformClosedAndAlwaysForgetsThePort)
{
    EXPECT_EQ(port.CloseDComm(), 0);
    EXPECT_EQ(parts.m_fake.m_nCloseCount, 0);

    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    EXPECT_EQ(port.CloseDComm(), 1);
    EXPECT_FALSE(parts.m_fake.IsOpen());
    EXPECT_EQ(port.CloseDComm(), 0);
    EXPECT_EQ(parts.m_fake.m_nCloseCount, 1);

    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    parts.m_fake.m_bFailClose = true;
    EXPECT_EQ(port.CloseDComm(), 0);
    EXPECT_FALSE(port.IsOpen());
    parts.m_fake.m_bFailClose = false;
    EXPECT_EQ(port.OpenDComm(1, 0, 9600), 1);
}

TEST_F(DriverPort, EveryPacedByteIsOneWriteFollowedByTwentyMillisecondsOfBusyWaiting)
{
    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    const Bytes data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(port.SendDStr(data.data(), 10), 1);

    EXPECT_EQ(parts.m_fake.Written(), data);
    ASSERT_EQ(parts.m_fake.m_writes.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i)
    {
        EXPECT_EQ(parts.m_fake.m_writes[i].m_bytes.size(), 1u);
        EXPECT_EQ(parts.m_fake.m_writes[i].m_at, Ms(20 * static_cast<long long>(i)));
    }
    ASSERT_EQ(parts.m_clock.Waits().size(), 10u);
    for (const auto& wait : parts.m_clock.Waits())
    {
        EXPECT_EQ(wait.m_kind, CVirtualClock::EWait::Busy);
        EXPECT_EQ(wait.m_duration, Ms(20));
    }
    // The wait follows the last byte too.
    EXPECT_EQ(parts.m_clock.Now(), Ms(200));
}

TEST_F(DriverPort, SendingWithoutAPortReturnsAtOnce)
{
    const Bytes data = {0x1B, 0x40};
    EXPECT_EQ(port.SendDStr(data.data(), 2), 0);
    EXPECT_EQ(port.WriteRaw(data.data(), 2), 0);
    EXPECT_TRUE(parts.m_clock.Waits().empty());
}

TEST_F(DriverPort, AFailedWriteStopsTheSendAtThatByteAndKeepsThePortOpen)
{
    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    parts.m_fake.m_nFailWriteAt = 3;
    const Bytes data = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4};
    EXPECT_EQ(port.SendDStr(data.data(), 5), 0);
    EXPECT_EQ(parts.m_fake.Written(), (Bytes{0xA0, 0xA1, 0xA2}));
    EXPECT_EQ(parts.m_clock.Total(CVirtualClock::EWait::Busy), Ms(60));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.SendDStr(data.data(), 1), 1);
}

TEST_F(DriverPort, AByteTheLineDidNotTakeIsAFailedWrite)
{
    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    parts.m_fake.m_nShortWriteAt = 1;
    const Bytes data = {0x31, 0x32, 0x33};
    EXPECT_EQ(port.SendDStr(data.data(), 3), 0);
    EXPECT_EQ(parts.m_fake.Written(), Bytes{0x31});
}

TEST_F(DriverPort, AnEmptySendSucceedsWithoutWaitingAndANullBufferIsRefused)
{
    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    EXPECT_EQ(port.SendDStr(nullptr, 0), 1);
    EXPECT_EQ(port.SendDStr(nullptr, 4), 0);
    EXPECT_EQ(port.WriteRaw(nullptr, 4), 0);
    EXPECT_TRUE(parts.m_fake.m_writes.empty());
    EXPECT_TRUE(parts.m_clock.Waits().empty());
}

TEST_F(DriverPort, RawWritesGoOutInOneUnpacedWriteAndMustBeWhole)
{
    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    Bytes frame(260);
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<std::uint8_t>(i * 7);
    EXPECT_EQ(port.WriteRaw(frame.data(), 260), 1);
    ASSERT_EQ(parts.m_fake.m_writes.size(), 1u);
    EXPECT_EQ(parts.m_fake.m_writes[0].m_bytes, frame);
    EXPECT_TRUE(parts.m_clock.Waits().empty());

    parts.m_fake.m_nShortWriteAt = 1;
    EXPECT_EQ(port.WriteRaw(frame.data(), 260), 0);
    parts.m_fake.m_nFailWriteAt = 2;
    EXPECT_EQ(port.WriteRaw(frame.data(), 260), 0);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(DriverPort, AReceiveSucceedsWhenAtLeastOneByteArrives)
{
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(port.ReceiveStr(buffer, 8), 0);
    EXPECT_TRUE(parts.m_fake.m_readSizes.empty());

    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    parts.m_fake.QueueRead({0x41, 0x42});
    EXPECT_EQ(port.ReceiveStr(buffer, 8), 1);
    EXPECT_EQ(buffer[0], 0x41);
    EXPECT_EQ(buffer[1], 0x42);
    EXPECT_EQ(buffer[2], 0x00);
    EXPECT_EQ(parts.m_fake.m_readSizes, (std::vector<std::size_t>{8}));

    EXPECT_EQ(port.ReceiveStr(buffer, 8), 0); // nothing arrived
    EXPECT_EQ(port.ReceiveStr(nullptr, 8), 0);
    parts.m_fake.QueueRead({0x43});
    parts.m_fake.m_bFailRead = true;
    EXPECT_EQ(port.ReceiveStr(buffer, 8), 0);
}

TEST_F(DriverPort, PurgeHandsTheFlagsOnUnchanged)
{
    EXPECT_EQ(port.PurgeComm1(0xF), 0);
    EXPECT_TRUE(parts.m_fake.m_purges.empty());

    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    EXPECT_EQ(port.PurgeComm1(PURGE_TXCLEAR | PURGE_RXCLEAR), 1);
    EXPECT_EQ(port.PurgeComm1(0x10F), 1);
    EXPECT_EQ(parts.m_fake.m_purges, (std::vector<unsigned>{0xC, 0x10F}));
}

TEST_F(DriverPort, SetBaudRateSendsTheDisplaysFramedCommand)
{
    EXPECT_EQ(port.SetBaudRate(2), 0);
    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    EXPECT_EQ(port.SetBaudRate(2), 1);
    EXPECT_EQ(port.SetBaudRate(0x107), 1);
    EXPECT_EQ(parts.m_fake.Written(),
              (Bytes{0x02, 0x05, 0x42, 0x32, 0x03, 0x02, 0x05, 0x42, 0x37, 0x03}));
    EXPECT_EQ(parts.m_clock.Now(), Ms(200));
    EXPECT_EQ(WriteTimes(parts.m_fake).back(), Ms(180));
}

TEST_F(DriverPort, EachFailureLeavesItsCauseAndASuccessLeavesItAlone)
{
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(port.LastError(), "");
    EXPECT_EQ(port.ReceiveStr(buffer, 4), 0);
    EXPECT_EQ(port.LastError(), "no port is open");

    parts.m_fake.m_bFailOpen = true;
    parts.m_fake.m_eOpenFault = ESerialFault::NoDevice;
    parts.m_fake.m_strOpenCause = "no such device";
    CDriverPort mapped(
        parts.Factory(),
        [](unsigned) {
            return CPortResolution{"/dev/gone", "/etc/ports:3"};
        },
        parts.m_clock);
    EXPECT_EQ(mapped.OpenDComm(4, 0, 9600), 0);
    EXPECT_EQ(mapped.LastError(),
              "/dev/gone: no such device (COM4 is mapped to it at /etc/ports:3)");

    parts.m_fake.m_bFailOpen = false;
    parts.m_fake.m_bFailConfigure = true;
    EXPECT_EQ(port.OpenDComm(1, 0, 9600), 0);
    EXPECT_EQ(port.LastError(), "COM1: settings rejected");
    parts.m_fake.m_bFailConfigure = false;

    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    EXPECT_EQ(port.LastError(), "COM1: settings rejected");
    EXPECT_EQ(port.OpenDComm(2, 0, 9600), 0);
    EXPECT_EQ(port.LastError(), "COM1: a port is already open; close it first");
    EXPECT_EQ(port.SendDStr(nullptr, 3), 0);
    EXPECT_EQ(port.LastError(), "no bytes to send: a null pointer for 3 bytes");
    EXPECT_EQ(port.ReceiveStr(buffer, 4), 0);
    EXPECT_EQ(port.LastError(), "COM1: no byte arrived");
    parts.m_fake.m_nFailWriteAt = 0;
    EXPECT_EQ(port.SendDStr("x", 1), 0);
    EXPECT_EQ(port.LastError(), "COM1: write failed");
}

TEST_F(DriverPort, TheReceiveBoundIsOneTotalTimeOutAndZeroGivesThePortItsOwnBack)
{
    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    std::uint8_t buffer[16] = {};
    port.SetReceiveTimeout(250);
    EXPECT_EQ(port.ReceiveStr(buffer, 16), 0);
    EXPECT_EQ(port.LastError(), "COM1: no byte arrived within 250 ms");
    parts.m_fake.QueueRead({0x06});
    EXPECT_EQ(port.ReceiveStr(buffer, 16), 1);
    EXPECT_EQ(parts.m_fake.m_timeouts, (std::vector<CReadTimeouts>{{0, 0, 250}, {0, 0, 250}}));

    // Unbounded again: the time-outs are cleared once, then left alone.
    port.SetReceiveTimeout(0);
    EXPECT_EQ(port.ReceiveStr(buffer, 16), 0);
    EXPECT_EQ(port.ReceiveStr(buffer, 16), 0);
    EXPECT_EQ(parts.m_fake.m_timeouts.size(), 3u);
    EXPECT_EQ(parts.m_fake.m_timeouts.back(), (CReadTimeouts{}));

    // The bound outlives the port: a new one gets it at its first read.
    port.SetReceiveTimeout(40);
    ASSERT_EQ(port.CloseDComm(), 1);
    ASSERT_EQ(port.OpenDComm(1, 0, 9600), 1);
    EXPECT_EQ(port.ReceiveStr(buffer, 16), 0);
    EXPECT_EQ(parts.m_fake.m_timeouts.back(), (CReadTimeouts{0, 0, 40}));
}
