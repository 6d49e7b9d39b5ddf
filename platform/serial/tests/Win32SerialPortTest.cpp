// The Windows backend where no device is needed: failures and their
// messages, and the port names.
#include "Win32SerialPort.h"

#include "TempFolder.h"
#include "TestEnvironment.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
bool StartsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}
} // namespace

TEST(Win32SerialPort, AMissingPortFailsWithItsNameAndTheSystemsCause)
{
    CWin32SerialPort port;
    EXPECT_FALSE(port.Open("\\\\.\\COM250"));
    EXPECT_FALSE(port.IsOpen());
    const std::string& error = port.GetLastError();
    EXPECT_EQ(port.GetLastFault(), ESerialFault::NoDevice);
    EXPECT_TRUE(StartsWith(error, "\\\\.\\COM250: no such port: ")) << error;
    EXPECT_GT(error.size(), std::string("\\\\.\\COM250: no such port: ").size()) << error;
}

TEST(Win32SerialPort, AFileIsNoSerialPortAndIsClosedAgain)
{
    const CTempFolder dir;
    const fs::path path = dir.Path() / "not_a_port.txt";
    std::ofstream(path) << "text";
    CWin32SerialPort port;
    EXPECT_FALSE(port.Open(path.string()));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.GetLastFault(), ESerialFault::NotSerial);
    EXPECT_EQ(port.GetLastError().rfind(path.string() + ": not a serial device", 0), 0u)
        << port.GetLastError();
    // Windows deletes no file that is still open: the handle is gone.
    std::error_code ec;
    EXPECT_TRUE(fs::remove(path, ec)) << ec.message();
}

TEST(Win32SerialPort, EveryOperationOnAClosedPortFails)
{
    CWin32SerialPort port;
    EXPECT_FALSE(port.Configure({}));
    EXPECT_EQ(port.GetLastError(), ": the port is not open");
    EXPECT_FALSE(port.SetReadTimeouts({50, 1, 50}));
    EXPECT_FALSE(port.Purge(PURGE_RXCLEAR));
    const char byte = 0x0C;
    EXPECT_EQ(port.Write(&byte, 1), -1);
    char buffer[4];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), -1);
    EXPECT_FALSE(port.Close());
}

TEST(Win32SerialPort, PortNumbersNameCOMDevicesUnlessTheEnvironmentSaysOtherwise)
{
    UnsetTestEnvironment("VFDKIT_COM3");
    EXPECT_EQ(ComPortDevice(3), "\\\\.\\COM3");
    EXPECT_EQ(ComPortDevice(12), "\\\\.\\COM12");
    SetTestEnvironment("VFDKIT_COM3", "\\\\.\\COM7");
    EXPECT_EQ(ComPortDevice(3), "\\\\.\\COM7");
    UnsetTestEnvironment("VFDKIT_COM3");
}
