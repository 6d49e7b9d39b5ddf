#include "PseudoTerminal.h"

// The read time-outs over a pseudo-terminal, on real time: the far end
// pauses between bytes, so these take a second or so and count as slow.

TEST_F(PseudoTerminal, TotalTimeOutEndsAReadOnAnIdleLine)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    ASSERT_TRUE(port.SetReadTimeouts({50, 1, 50})); // 55 ms for 5 bytes
    std::uint8_t buffer[5];
    long long nRead = -2;
    const long long nMs = TimeMs([&] { nRead = port.Read(buffer, 5); });
    EXPECT_EQ(nRead, 0);
    EXPECT_GE(nMs, 55);
    EXPECT_LT(nMs, 2000);
}

TEST_F(PseudoTerminal, IntervalTimeOutReturnsWhatArrivedWhenTheLineFallsSilent)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    // Interval only: waits as long as it takes for the first byte.
    ASSERT_TRUE(port.SetReadTimeouts({40, 0, 0}));
    const auto start = std::chrono::steady_clock::now();
    std::thread far(
        [&]
        {
            std::this_thread::sleep_for(150ms);
            Send({1, 2, 3});
        });
    Bytes buffer(10);
    const long long nRead = port.Read(buffer.data(), buffer.size());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    far.join();
    EXPECT_EQ(nRead, 3); // a partial read
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), (Bytes{1, 2, 3}));
    EXPECT_GE(elapsed, 150ms + 40ms);
}

TEST_F(PseudoTerminal, BytesCloserThanTheIntervalBelongToOneRead)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    ASSERT_TRUE(port.SetReadTimeouts({400, 0, 0}));
    std::thread far(
        [&]
        {
            for (std::uint8_t b = 1; b <= 4; ++b)
            {
                Send({b});
                std::this_thread::sleep_for(30ms);
            }
        });
    Bytes buffer(4);
    EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 4);
    far.join();
    EXPECT_EQ(buffer, (Bytes{1, 2, 3, 4}));
}

TEST_F(PseudoTerminal, WithoutTimeOutsAReadWaitsForEveryByte)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    ASSERT_TRUE(port.SetReadTimeouts({0, 0, 0}));
    // Timed from before the far side starts: under load the read may begin
    // after the first bytes are already waiting.
    const auto start = std::chrono::steady_clock::now();
    std::thread far(
        [&]
        {
            Send({1, 2});
            std::this_thread::sleep_for(200ms);
            Send({3, 4, 5});
        });
    Bytes buffer(4);
    const long long nRead = port.Read(buffer.data(), buffer.size());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    far.join();
    EXPECT_EQ(nRead, 4);
    EXPECT_EQ(buffer, (Bytes{1, 2, 3, 4}));
    EXPECT_GE(elapsed, 200ms);
    // The fifth byte waits for the next read.
    EXPECT_EQ(port.Read(buffer.data(), 1), 1);
    EXPECT_EQ(buffer[0], 5);
}

TEST_F(PseudoTerminal, UnlimitedIntervalAloneReturnsAtOnce)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    ASSERT_TRUE(port.SetReadTimeouts({0xFFFFFFFF, 0, 0}));
    Bytes buffer(8);
    EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 0);
    Send({7, 8});
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 2);
    EXPECT_EQ(buffer[1], 8);
}

TEST_F(PseudoTerminal, PurgeDropsWhatWasWaitingToBeRead)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    ASSERT_TRUE(port.SetReadTimeouts({0xFFFFFFFF, 0, 0}));
    Send({1, 2, 3});
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(port.Purge(PURGE_TXCLEAR | PURGE_RXCLEAR));
    Bytes buffer(3);
    EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 0);

    // Clearing only the transmit side leaves received bytes alone.
    Send({4});
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(port.Purge(PURGE_TXABORT | PURGE_TXCLEAR));
    EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 1);
    EXPECT_TRUE(port.Purge(0));
}
