#include "PosixSerialPort.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using SteadyClock = std::chrono::steady_clock;

namespace
{
// The far end of the line: the master side of a pseudo-terminal, whose
// slave the port under test opens as its device.
struct PseudoTerminal : ::testing::Test
{
    int m_nMaster = -1;
    std::string m_strSlave;

    void SetUp() override
    {
        m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(m_nMaster, 0);
        ASSERT_EQ(::grantpt(m_nMaster), 0);
        ASSERT_EQ(::unlockpt(m_nMaster), 0);
        m_strSlave = ::ptsname(m_nMaster);
    }
    void TearDown() override
    {
        if (m_nMaster >= 0)
            ::close(m_nMaster);
    }

    void Send(const Bytes& bytes)
    {
        ASSERT_EQ(::write(m_nMaster, bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    // What the port sent, waiting up to a second for nCount bytes.
    Bytes Receive(std::size_t nCount)
    {
        Bytes got;
        const auto until = SteadyClock::now() + 1s;
        while (got.size() < nCount && SteadyClock::now() < until)
        {
            pollfd pfd{m_nMaster, POLLIN, 0};
            if (::poll(&pfd, 1, 50) <= 0)
                continue;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(m_nMaster, buffer, sizeof buffer);
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }
    termios LineSettings()
    {
        termios tio{};
        EXPECT_EQ(::tcgetattr(m_nMaster, &tio), 0);
        return tio;
    }
};

// Milliseconds a call took.
template <typename F>
long long TimeMs(F&& f)
{
    const auto start = SteadyClock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start)
        .count();
}
} // namespace

TEST_F(PseudoTerminal, OpensRawWithoutFlowControlAndConfiguresTheLine)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave)) << port.GetLastError();
    EXPECT_TRUE(port.IsOpen());
    ASSERT_TRUE(port.Configure({9600, 0, 8})) << port.GetLastError();

    const termios tio = LineSettings();
    EXPECT_EQ(tio.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INPCK), 0u);
    EXPECT_EQ(tio.c_cflag & (CRTSCTS | CSTOPB), 0u);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(::cfgetispeed(&tio), static_cast<speed_t>(B9600));

    ASSERT_TRUE(port.Configure({38400, 0, 8}));
    const termios after = LineSettings();
    EXPECT_EQ(::cfgetospeed(&after), static_cast<speed_t>(B38400));
}

TEST_F(PseudoTerminal, ParityCodesSelectTheTermiosBits)
{
    // A pseudo-terminal drops PARENB (it has no parity) but keeps the bits
    // that choose which parity, so those show the code's translation.
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    struct CCase
    {
        std::uint8_t m_nParity;
        bool m_bOdd;
        bool m_bStick;
    };
    for (const CCase& c : {CCase{1, true, false}, CCase{2, false, false}, CCase{3, true, true},
                           CCase{4, false, true}, CCase{0, false, false}})
    {
        ASSERT_TRUE(port.Configure({9600, c.m_nParity, 8})) << port.GetLastError();
        const termios tio = LineSettings();
        EXPECT_EQ((tio.c_cflag & PARODD) != 0, c.m_bOdd) << int(c.m_nParity);
        EXPECT_EQ((tio.c_cflag & CMSPAR) != 0, c.m_bStick) << int(c.m_nParity);
    }
}

TEST_F(PseudoTerminal, RefusesSettingsItCannotApplyAndSaysWhy)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    EXPECT_FALSE(port.Configure({9600, 5, 8}));
    EXPECT_NE(port.GetLastError().find("parity code 5"), std::string::npos);
    EXPECT_FALSE(port.Configure({12345, 0, 8}));
    EXPECT_NE(port.GetLastError().find("12345 baud"), std::string::npos);
    EXPECT_FALSE(port.Configure({9600, 0, 9}));
    EXPECT_NE(port.GetLastError().find(m_strSlave), std::string::npos);
    EXPECT_TRUE(port.IsOpen());                // refusing settings leaves the port as it was
    EXPECT_TRUE(port.Configure({9600, 0, 7})); // a pseudo-terminal keeps CS8 regardless
}

TEST_F(PseudoTerminal, HoldsThePortExclusivelyUntilClosed)
{
    CPosixSerialPort first;
    ASSERT_TRUE(first.Open(m_strSlave));

    CPosixSerialPort second;
    EXPECT_FALSE(second.Open(m_strSlave));
    EXPECT_NE(second.GetLastError().find("in use by another program"), std::string::npos)
        << second.GetLastError();
    EXPECT_FALSE(second.IsOpen());

    // A plain open() that ignores locks is kept out too, unless the caller
    // may override TIOCEXCL (root).
    const int nPlain = ::open(m_strSlave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (::geteuid() != 0)
    {
        EXPECT_LT(nPlain, 0);
    }
    if (nPlain >= 0)
        ::close(nPlain);

    EXPECT_TRUE(first.Close());
    EXPECT_FALSE(first.IsOpen());
    // Closing hands the line back, although the terminal stays alive.
    ASSERT_TRUE(second.Open(m_strSlave)) << second.GetLastError();
    EXPECT_TRUE(second.Close());
    const int nAfter = ::open(m_strSlave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(nAfter, 0);
    int nExclusive = -1;
    EXPECT_EQ(::ioctl(nAfter, TIOCGEXCL, &nExclusive), 0);
    EXPECT_EQ(nExclusive, 0);
    ::close(nAfter);
}

TEST_F(PseudoTerminal, WritesAndReadsBytesUnchanged)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    ASSERT_TRUE(port.SetReadTimeouts({50, 1, 50}));

    // Bytes a cooked line would translate or act on.
    const Bytes out = {0x1B, 0x0C, 0x0D, 0x0A, 0x03, 0x11, 0x13, 0x00, 0xFF, 0x7F};
    EXPECT_EQ(port.Write(out.data(), out.size()), 10);
    EXPECT_EQ(Receive(out.size()), out);

    Send(out);
    Bytes in(10);
    EXPECT_EQ(port.Read(in.data(), in.size()), 10);
    EXPECT_EQ(in, out);

    EXPECT_EQ(port.Write(out.data(), 0), 0);
    EXPECT_EQ(port.Read(in.data(), 0), 0);
}

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

TEST_F(PseudoTerminal, AClosedPortRefusesEveryCall)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    EXPECT_FALSE(port.Open(m_strSlave)); // already open
    ASSERT_TRUE(port.Close());
    EXPECT_FALSE(port.Close());

    std::uint8_t byte = 0;
    EXPECT_EQ(port.Write(&byte, 1), -1);
    EXPECT_NE(port.GetLastError().find("not open"), std::string::npos);
    EXPECT_EQ(port.Read(&byte, 1), -1);
    EXPECT_FALSE(port.Configure({}));
    EXPECT_FALSE(port.SetReadTimeouts({}));
    EXPECT_FALSE(port.Purge(PURGE_RXCLEAR));
}

TEST_F(PseudoTerminal, AHungUpLineFailsReadsAndWrites)
{
    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave));
    ASSERT_TRUE(port.SetReadTimeouts({50, 1, 50}));
    ::close(m_nMaster);
    m_nMaster = -1;
    std::uint8_t buffer[5] = {};
    EXPECT_EQ(port.Read(buffer, 5), -1);
    EXPECT_NE(port.GetLastError().find("hung up"), std::string::npos);
    EXPECT_EQ(port.Write(buffer, 5), -1);
}

TEST(SerialPort, MissingDevicesAndOtherFilesDoNotOpen)
{
    CPosixSerialPort port;
    EXPECT_FALSE(port.Open("/dev/vfdkit-no-such-port"));
    EXPECT_EQ(port.GetLastError().rfind("/dev/vfdkit-no-such-port: cannot open", 0), 0u)
        << port.GetLastError();

    const auto file = std::filesystem::temp_directory_path() /
                      ("vfdkit_not_a_port_" + std::to_string(::getpid()));
    std::ofstream(file) << "x";
    EXPECT_FALSE(port.Open(file.string()));
    EXPECT_NE(port.GetLastError().find("not a serial port"), std::string::npos);
    EXPECT_FALSE(port.IsOpen());
    std::filesystem::remove(file);

    EXPECT_FALSE(port.Open(""));
    EXPECT_NE(port.GetLastError().find("no device"), std::string::npos);
}

TEST(SerialPort, PortNumbersNameDevices)
{
    ::unsetenv("VFDKIT_COM3");
    EXPECT_EQ(ComPortDevice(3), "/dev/ttyS2");
    EXPECT_EQ(ComPortDevice(1), "/dev/ttyS0");
    EXPECT_EQ(ComPortDevice(0), "");
    ::setenv("VFDKIT_COM3", "/dev/pts/42", 1);
    EXPECT_EQ(ComPortDevice(3), "/dev/pts/42");
    EXPECT_EQ(ComPortDevice(13), "/dev/ttyS12");
    ::setenv("VFDKIT_COM3", "", 1); // an empty setting counts as none
    EXPECT_EQ(ComPortDevice(3), "/dev/ttyS2");
    ::unsetenv("VFDKIT_COM3");
    EXPECT_NE(dynamic_cast<CPosixSerialPort*>(CreateSerialPort().get()), nullptr);
}
