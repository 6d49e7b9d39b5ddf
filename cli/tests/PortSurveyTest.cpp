// vfdkit ports' survey over a fake /dev, /sys and /proc built in a folder.
#include "PortSurvey.h"

#include "TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// A tree shaped as the kernel's: a USB serial adapter with its by-id link,
// a modem without USB attributes, two ttyS of which only one has a UART.
struct FakeSystem : ::testing::Test
{
    CTempFolder folder;
    CSurveyRoots roots{folder / "dev", folder / "sys", folder / "proc"};

    void File(const std::string& strPath, const std::string& strText = "")
    {
        const fs::path path = folder.Path() / strPath;
        fs::create_directories(path.parent_path());
        folder.Write(strPath, strText);
    }
    void Link(const std::string& strTarget, const std::string& strPath)
    {
        const fs::path path = folder.Path() / strPath;
        fs::create_directories(path.parent_path());
        fs::create_symlink(strTarget, path);
    }
    void SetUp() override
    {
        for (const char* pszName : {"ttyUSB0", "ttyACM0", "ttyS0", "ttyS1", "tty0", "null"})
            File(std::string("dev/") + pszName);
        Link("../../ttyUSB0", "dev/serial/by-id/usb-Maker_Adapter_A50285BI-if00-port0");
        const std::string strUsb = "sys/devices/pci0000:00/usb1/1-1";
        File(strUsb + "/idVendor", "0403\n");
        File(strUsb + "/idProduct", "6001\n");
        File(strUsb + "/serial", "A50285BI\n");
        File(strUsb + "/manufacturer", "Maker\n");
        File(strUsb + "/product", "Adapter\n");
        fs::create_directories(folder.Path() / strUsb / "1-1:1.0/ttyUSB0");
        Link("../../../devices/pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0",
             "sys/class/tty/ttyUSB0/device");
        fs::create_directories(folder.Path() / "sys/devices/pnp0/00:01");
        Link("../../../devices/pnp0/00:01", "sys/class/tty/ttyACM0/device");
        File("sys/class/tty/ttyS0/type", "4\n");
        File("sys/class/tty/ttyS1/type", "0\n");
    }
};
} // namespace

TEST_F(FakeSystem, ListsTheSerialDevicesWithTheirUsbAttributesAndLinks)
{
    const auto devices = SurveySerialDevices(roots);
    std::vector<std::string> names;
    for (const auto& device : devices)
        names.push_back(fs::path(device.m_strDevice).filename().string());
    // ttyS1 has no UART behind it; tty0 and null are no serial devices.
    EXPECT_EQ(names, (std::vector<std::string>{"ttyACM0", "ttyS0", "ttyUSB0"}));
    ASSERT_EQ(devices.size(), 3u);

    const CSerialDevice& usb = devices[2];
    ASSERT_TRUE(usb.m_usb);
    EXPECT_EQ(usb.m_usb->m_strVendor, "0403");
    EXPECT_EQ(usb.m_usb->m_strProduct, "6001");
    EXPECT_EQ(usb.m_usb->m_strSerial, "A50285BI");
    EXPECT_EQ(usb.m_usb->m_strManufacturerName, "Maker");
    EXPECT_EQ(usb.m_usb->m_strProductName, "Adapter");
    EXPECT_EQ(usb.m_vecByIds,
              (std::vector<std::string>{folder /
                                        "dev/serial/by-id/usb-Maker_Adapter_A50285BI-if00-port0"}));
    EXPECT_FALSE(devices[0].m_usb); // a device link, but nothing USB above it
    EXPECT_FALSE(devices[1].m_usb);

    const std::string strText = FormatSurvey({}, devices);
    EXPECT_NE(strText.find("ttyUSB0  USB 0403:6001 Maker Adapter, serial A50285BI\n    " +
                           (folder / "dev/serial/by-id/usb-Maker_Adapter_A50285BI-if00-port0")),
              std::string::npos)
        << strText;
    const std::string strJson = FormatSurveyJson({}, devices);
    EXPECT_NE(strJson.find("\"usb\": {\"vendor\": \"0403\", \"product\": \"6001\", \"serial\": "
                           "\"A50285BI\", \"manufacturer\": \"Maker\", \"product_name\": "
                           "\"Adapter\"}"),
              std::string::npos)
        << strJson;
    EXPECT_NE(strJson.find("\"by_id\": [], \"usb\": null"), std::string::npos) << strJson;
}

TEST_F(FakeSystem, AnEmptySystemHasNoDevices)
{
    const CSurveyRoots nothing{folder / "none", folder / "none", folder / "none"};
    EXPECT_TRUE(SurveySerialDevices(nothing).empty());
    EXPECT_NE(FormatSurvey({}, {}).find("Serial devices:\n  none found\n"), std::string::npos);
}

TEST_F(FakeSystem, APortIsMissingAFileATerminalAndBusyAsItIs)
{
    const auto missing = SurveyComPort(3, folder / "dev/ttyUSB7", "VFDKIT_COM3", roots);
    EXPECT_FALSE(missing.m_bExists);
    EXPECT_FALSE(missing.m_bAccessible);

    // Another process holds the adapter: its descriptor in the fake /proc
    // names it (through the by-id link, which the survey resolves).
    Link(folder / "dev/ttyUSB0", "proc/4242/fd/5");
    Link("/dev/null", "proc/4242/fd/0");
    File("proc/4242/comm", "pos-terminal\n");
    Link("/dev/null", "proc/77/fd/0");
    File("proc/self-is-no-number/comm", "x\n");
    const auto held = SurveyComPort(
        4, folder / "dev/serial/by-id/usb-Maker_Adapter_A50285BI-if00-port0", "f:2", roots);
    EXPECT_TRUE(held.m_bExists);
    EXPECT_EQ(held.m_bTerminal, false); // a regular file here
    EXPECT_TRUE(held.m_bAccessible);
    ASSERT_EQ(held.m_holders.size(), 1u);
    EXPECT_EQ(held.m_holders[0].m_nPid, 4242);
    EXPECT_EQ(held.m_holders[0].m_strCommand, "pos-terminal");

    const int nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(nMaster, 0);
    ASSERT_EQ(::grantpt(nMaster), 0);
    const std::string strSlave = ::ptsname(nMaster);
    // Until it is unlocked the terminal does not open: the cause is kept.
    const auto locked = SurveyComPort(6, strSlave, "default", roots);
    EXPECT_TRUE(locked.m_bExists);
    EXPECT_EQ(locked.m_bTerminal, std::nullopt);
    EXPECT_EQ(locked.m_strOpenError, std::strerror(EIO));
    ASSERT_EQ(::unlockpt(nMaster), 0);
    const auto terminal = SurveyComPort(5, strSlave, "default", roots);
    ::close(nMaster);
    EXPECT_TRUE(terminal.m_bExists);
    EXPECT_EQ(terminal.m_bTerminal, true);
    EXPECT_TRUE(terminal.m_holders.empty());

    const std::string strText = FormatSurvey({missing, held, terminal}, {});
    EXPECT_NE(strText.find("  COM3  " + (folder / "dev/ttyUSB7")), std::string::npos) << strText;
    EXPECT_NE(strText.find("missing  [VFDKIT_COM3]\n"), std::string::npos) << strText;
    EXPECT_NE(strText.find("not a terminal, read-write, busy: 4242 (pos-terminal)  [f:2]\n"),
              std::string::npos)
        << strText;
    EXPECT_NE(strText.find(strSlave), std::string::npos);
    EXPECT_NE(
        FormatSurvey({locked}, {})
            .find("cannot open (" + std::string(std::strerror(EIO)) + "), read-write  [default]\n"),
        std::string::npos);
    EXPECT_NE(FormatSurveyJson({locked}, {})
                  .find("\"terminal\": null, \"open_error\": \"" + std::string(std::strerror(EIO)) +
                        "\""),
              std::string::npos);
    const std::string strJson = FormatSurveyJson({missing, held}, {});
    EXPECT_NE(strJson.find("{\"port\": \"COM3\", \"number\": 3, \"device\": \"" +
                           (folder / "dev/ttyUSB7") +
                           "\", \"source\": \"VFDKIT_COM3\", \"exists\": false, \"terminal\": "
                           "false, \"open_error\": \"\", \"access\": false, \"busy\": false, "
                           "\"holders\": [], \"network\": false, \"answers\": false}"),
              std::string::npos)
        << strJson;
    // Paths are JSON strings whatever they hold.
    const auto odd = SurveyComPort(7, "/dev/odd\"name\\\n", "default", roots);
    EXPECT_NE(FormatSurveyJson({odd}, {}).find("\"device\": \"/dev/odd\\\"name\\\\\\u000a\""),
              std::string::npos)
        << FormatSurveyJson({odd}, {});
    EXPECT_NE(strJson.find("\"busy\": true, \"holders\": [{\"pid\": 4242, \"command\": "
                           "\"pos-terminal\"}]"),
              std::string::npos)
        << strJson;
}

TEST_F(FakeSystem, APortServerIsAskedWhetherItAnswers)
{
    // A port that listens and one that was closed again.
    const int nListener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(nListener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(nListener, 1), 0);
    socklen_t nLength = sizeof address;
    ::getsockname(nListener, reinterpret_cast<sockaddr*>(&address), &nLength);
    const std::string strUp = "tcp://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    const auto up = SurveyComPort(4, strUp, "VFDKIT_COM4", roots);
    ::close(nListener);
    const auto down = SurveyComPort(5, strUp, "VFDKIT_COM5", roots);

    EXPECT_TRUE(up.m_bNetwork && up.m_bAnswers);
    EXPECT_TRUE(down.m_bNetwork);
    EXPECT_FALSE(down.m_bAnswers);
    const std::string text = FormatSurvey({up, down}, {});
    EXPECT_NE(text.find(strUp + "  network, answers  [VFDKIT_COM4]"), std::string::npos) << text;
    EXPECT_NE(text.find("network, no answer (nothing listens at 127.0.0.1:"), std::string::npos)
        << text;
    const std::string json = FormatSurveyJson({up, down}, {});
    EXPECT_NE(json.find("\"network\": true, \"answers\": true"), std::string::npos) << json;
    EXPECT_NE(json.find("\"network\": true, \"answers\": false"), std::string::npos) << json;
}

TEST(PortSurvey, PortNamesAreCom1ToCom255)
{
    EXPECT_EQ(ParseComPortName("COM3"), 3u);
    EXPECT_EQ(ParseComPortName("com16"), 16u);
    EXPECT_EQ(ParseComPortName("255"), 255u);
    for (const char* pszBad : {"COM0", "COM256", "COM", "", "COMX", "ttyS0", "-1", "COM1000"})
        EXPECT_EQ(ParseComPortName(pszBad), std::nullopt) << pszBad;
}
