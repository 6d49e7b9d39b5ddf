// The Windows backend on a real COM port: under Wine, a port mapped onto
// vfdsim's pseudo-terminal (SerialDeviceTest.sh), its number in
// VFDKIT_TEST_COM. The line settings are read back through a second,
// plain handle once ours is closed.
#include "Win32SerialPort.h"

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <windows.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace
{
std::string TestPort()
{
    const char* pszPort = std::getenv("VFDKIT_TEST_COM");
    return pszPort ? ComPortDevice(static_cast<unsigned>(std::atoi(pszPort))) : std::string();
}

// Opens the port without our class, applies a change to its settings and
// gives back what the port then reports.
template <typename TChange>
std::optional<DCB> WithPlainHandle(TChange change)
{
    HANDLE hPort = ::CreateFileA(TestPort().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (hPort == INVALID_HANDLE_VALUE)
        return std::nullopt;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool bOk = ::GetCommState(hPort, &dcb);
    if (bOk && change(dcb))
        bOk = ::SetCommState(hPort, &dcb) && ::GetCommState(hPort, &dcb);
    ::CloseHandle(hPort);
    return bOk ? std::optional<DCB>(dcb) : std::nullopt;
}

// Wine lets a second handle open a serial port whatever the share mode.
bool RunningUnderWine()
{
    HMODULE hNtdll = ::GetModuleHandleA("ntdll.dll");
    return hNtdll && ::GetProcAddress(hNtdll, "wine_get_version");
}

std::optional<DCB> PortSettings()
{
    return WithPlainHandle([](DCB&) { return false; });
}

struct Win32SerialDevice : ::testing::Test
{
    void SetUp() override { ASSERT_FALSE(TestPort().empty()) << "VFDKIT_TEST_COM is not set"; }
};
} // namespace

TEST_F(Win32SerialDevice, APortIsOpenedExclusivelyAndFreeAgainOnceClosed)
{
    CWin32SerialPort first;
    ASSERT_TRUE(first.Open(TestPort())) << first.GetLastError();
    EXPECT_FALSE(first.Open(TestPort()));
    EXPECT_EQ(first.GetLastError(), TestPort() + ": the port is already open");
    if (!RunningUnderWine())
    {
        CWin32SerialPort second;
        EXPECT_FALSE(second.Open(TestPort()));
        EXPECT_EQ(
            second.GetLastError().rfind(TestPort() + ": the port is in use by another program", 0),
            0u)
            << second.GetLastError();
    }
    EXPECT_TRUE(first.Close());
    CWin32SerialPort again;
    EXPECT_TRUE(again.Open(TestPort())) << again.GetLastError();
}

TEST_F(Win32SerialDevice, EitherWayTheLineIsLeftAsItWasFound)
{
    // The port as another program left it: both kinds of flow control on.
    const auto before = WithPlainHandle(
        [](DCB& dcb)
        {
            dcb.fOutX = dcb.fInX = TRUE;
            dcb.fOutxCtsFlow = TRUE;
            dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
            return true;
        });
    ASSERT_TRUE(before);
    ASSERT_TRUE(before->fOutX && before->fInX && before->fOutxCtsFlow);

    // The driver's way (line control kept) and the raw line: whatever was
    // set while the port was open goes back when it closes.
    for (const bool bKeepLineControl : {true, false})
    {
        CWin32SerialPort port;
        ASSERT_TRUE(port.Open(TestPort())) << port.GetLastError();
        ASSERT_TRUE(port.Configure({19200, 0, 8, bKeepLineControl})) << port.GetLastError();
        port.Close();
        const auto after = PortSettings();
        ASSERT_TRUE(after);
        EXPECT_EQ(after->BaudRate, before->BaudRate) << bKeepLineControl;
        EXPECT_TRUE(after->fOutX && after->fInX && after->fOutxCtsFlow) << bKeepLineControl;
    }
}

TEST_F(Win32SerialDevice, ReadTimeOutsEndAReadOnAQuietLine)
{
    CWin32SerialPort port;
    ASSERT_TRUE(port.Open(TestPort())) << port.GetLastError();
    ASSERT_TRUE(port.Configure({9600, 0, 8}));
    ASSERT_TRUE(port.Purge(PURGE_TXCLEAR | PURGE_RXCLEAR)) << port.GetLastError();
    ASSERT_TRUE(port.SetReadTimeouts({0, 10, 100})) << port.GetLastError();
    char buffer[4];
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 130ms); // 4 x 10 ms + 100 ms, less the timer's grain
    EXPECT_LT(waited, 5s);
}
