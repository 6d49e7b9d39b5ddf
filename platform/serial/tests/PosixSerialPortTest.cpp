#include "PseudoTerminal.h"

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

TEST(SerialPort, MissingDevicesDoNotOpen)
{
    CPosixSerialPort port;
    EXPECT_FALSE(port.Open("/dev/vfdkit-no-such-port"));
    EXPECT_EQ(port.GetLastFault(), ESerialFault::NoDevice);
    EXPECT_EQ(port.GetLastError(), "/dev/vfdkit-no-such-port: no such device");
    EXPECT_FALSE(port.IsOpen());

    EXPECT_FALSE(port.Open(""));
    EXPECT_EQ(port.GetLastFault(), ESerialFault::NoDevice);
    EXPECT_NE(port.GetLastError().find("no device"), std::string::npos);
}

TEST(SerialPort, PortNumbersNameDevices)
{
    ::unsetenv("VFDKIT_COM3");
    ::setenv("XDG_CONFIG_HOME", "/nonexistent", 1); // no user map in the way
    EXPECT_EQ(ComPortDevice(3), "/dev/ttyS2");
    EXPECT_EQ(ComPortDevice(1), "/dev/ttyS0");
    EXPECT_EQ(ComPortDevice(0), "");
    ::setenv("VFDKIT_COM3", "/dev/pts/42", 1);
    EXPECT_EQ(ComPortDevice(3), "/dev/pts/42");
    EXPECT_EQ(ComPortDevice(13), "/dev/ttyS12");
    ::setenv("VFDKIT_COM3", "", 1); // an empty setting counts as none
    EXPECT_EQ(ComPortDevice(3), "/dev/ttyS2");
    ::unsetenv("VFDKIT_COM3");
}
