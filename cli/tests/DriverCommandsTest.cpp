// vfdkit call and download as a user runs them, through the built VF620
// library, with no display attached.
#include "RunTool.h"
#include "TempFolder.h"
#include "TestEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

struct DriverCommands : ::testing::Test
{
    const CTempFolder folder;
    const fs::path& dir = folder.Path();
    void SetUp() override
    {
        // A port number whose device is certainly missing.
        SetTestEnvironment("VFDKIT_COM250", (dir / "no-such-tty").string());
    }
    void TearDown() override
    {
        UnsetTestEnvironment("VFDKIT_COM250");
        UnsetTestEnvironment("VFDKIT_VF620");
    }
};
} // namespace

TEST_F(DriverCommands, ListShowsEveryOrdinalWithWhatItTakes)
{
    const auto run = RunVfdkit("call --list");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_TRUE(
        Has(run.m_strOut, "   @1  OpenDComm               nPort:INT nParity:INT nBaud:INT\n"))
        << run.m_strOut;
    EXPECT_TRUE(Has(run.m_strOut,
                    "  @14  DisplayStrAt            pText:BYTES [nLength:COUNT] nSelector:INT\n"));
    EXPECT_TRUE(Has(run.m_strOut, "  @17  ReceiveStr              nCount:COUNT\n"));
    EXPECT_TRUE(Has(run.m_strOut, "   @9  ClearDisplay\n"));
    EXPECT_TRUE(
        Has(run.m_strOut, "  @41  DownLoadFileSinglePage  pszPath:FILE dwArea:INT nPage:INT\n"));
#ifdef _WIN32
    // The DLL hands ordinal 12 on to the window system's SetCursor.
    EXPECT_TRUE(Has(run.m_strOut, "  @12  SetCursor               HANDLE\n"));
#else
    EXPECT_TRUE(Has(run.m_strOut, "  @12  SetCursor               (not provided in this build)\n"));
#endif
    EXPECT_FALSE(Has(run.m_strOut, "@42"));
}

TEST_F(DriverCommands, ACallPrintsTheResultAndFailsWithoutAPort)
{
    for (const char* args : {"call ClearDisplay", "call @9", "call cleardisplay",
                             "call SendDStr hex:1B40", "call DisplayStrAt HELLO 3",
                             "call SetBrightness 0x104", "call MoveCurToSpePosition 1 -1"})
    {
        const auto run = RunVfdkit(args);
        EXPECT_EQ(run.m_nStatus, 1) << args << run.m_strErr;
        EXPECT_EQ(run.m_strOut, "0\n") << args;
    }
    const auto receive = RunVfdkit("call ReceiveStr 3");
    EXPECT_EQ(receive.m_nStatus, 1);
    EXPECT_EQ(receive.m_strOut, "0\n00 00 00\n");
    // Even an empty send needs a port.
    EXPECT_EQ(RunVfdkit("call SendDStr ''").m_strOut, "0\n");
}

TEST_F(DriverCommands, WrongCallsExitTwoAndSayWhy)
{
    const std::pair<const char*, const char*> cases[] = {
        {"call", "which function"},
        {"call NoSuchThing", "no function \"NoSuchThing\""},
        {"call @0", "no function"},
        {"call @42", "no function"},
#ifdef _WIN32
        {"call SetCursor 0", "SetCursor cannot be called from the command line"},
#else
        {"call SetCursor 0", "not provided"},
#endif
        {"call ClearDisplay 1", "ClearDisplay takes no arguments"},
        {"call DisplayStrAt HELLO 9 3", "more than the 5 bytes"},
        {"call SetDimming 0x100000000", "no 32-bit integer"},
        {"call SendDStr hex:1", "two digits"},
        {"call --port 0 ClearDisplay", "--port must be a number from 1 to 255"},
        {"call --parity odd2 --port 1 ClearDisplay", "--parity must be"},
    };
    for (const auto& [args, message] : cases)
    {
        const auto run = RunVfdkit(args);
        EXPECT_EQ(run.m_nStatus, 2) << args;
        EXPECT_TRUE(Has(run.m_strErr, message)) << args << ": " << run.m_strErr;
        EXPECT_TRUE(run.m_strOut.empty()) << args;
    }
}

TEST_F(DriverCommands, TheLibrarysMessagesReachStandardError)
{
    const auto empty = RunVfdkit("call DownLoadFile '' 0");
    EXPECT_EQ(empty.m_nStatus, 1);
    EXPECT_EQ(empty.m_strOut, "0\n");
    EXPECT_EQ(empty.m_strErr, "VF620: Please select the file path first!\n");

    const auto missing = (dir / "missing.bin").string();
    const auto run = RunVfdkit("call @41 " + ShellQuote(missing) + " 0 1");
    EXPECT_EQ(run.m_strOut, "0\n");
    EXPECT_TRUE(Has(run.m_strErr, missing)) << run.m_strErr;
    EXPECT_TRUE(Has(run.m_strErr, "No such file or directory")) << run.m_strErr;
}

TEST_F(DriverCommands, AMissingPortExitsFour)
{
    const auto call = RunVfdkit("call --port 250 --baud 19200 ClearDisplay");
    EXPECT_EQ(call.m_nStatus, 4);
    EXPECT_TRUE(Has(call.m_strErr, "cannot open port 250")) << call.m_strErr;
    EXPECT_TRUE(call.m_strOut.empty());

    const auto font = (dir / "font.bin").string();
    std::ofstream(font, std::ios::binary) << std::string(1536, 'x');
    const auto download = RunVfdkit("download " + ShellQuote(font) + " --port 250 --area 0");
    EXPECT_EQ(download.m_nStatus, 4);
    EXPECT_TRUE(Has(download.m_strErr, "VFDKIT_COM250")) << download.m_strErr;
}

TEST_F(DriverCommands, AFailedOpenNamesTheDeviceTheCauseAndTheMapEntry)
{
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the COM names are the system's own: there is no port map";
#endif
    // The user's map names a device that is not there.
    const fs::path config = dir / "config";
    fs::create_directories(config / "vfdkit");
    std::ofstream(config / "vfdkit" / "ports")
        << "# the adapter\nCOM7=" << (dir / "ttyUSB9").string() << "\n";
    SetTestEnvironment("XDG_CONFIG_HOME", config.string());
    UnsetTestEnvironment("VFDKIT_COM7");
    const auto call = RunVfdkit("call --port 7 ClearDisplay");
    EXPECT_EQ(call.m_nStatus, 4);
    EXPECT_EQ(call.m_strErr, "vfdkit call: cannot open port 7: " + (dir / "ttyUSB9").string() +
                                 ": no such device (COM7 is mapped to it at " +
                                 (config / "vfdkit" / "ports").string() + ":2)\n");

    // A regular file where the device should be.
    std::ofstream(dir / "ttyUSB9") << "not a port";
    const auto file = RunVfdkit("call --port 7 ClearDisplay");
    UnsetTestEnvironment("XDG_CONFIG_HOME");
    EXPECT_EQ(file.m_nStatus, 4);
    EXPECT_TRUE(
        Has(file.m_strErr, (dir / "ttyUSB9").string() + ": not a serial device (a regular file)"))
        << file.m_strErr;
}

TEST_F(DriverCommands, WrongDownloadsExitTwo)
{
    for (const char* args :
         {"download f.bin --area 0", "download f.bin --port 1", "download f.bin --port 1 --area 2",
          "download f.bin --port 1 --area 0 --page 256", "download --port 1 --area 0",
          "download f.bin --port 1 --area 0 --parity 5"})
    {
        const auto run = RunVfdkit(args);
        EXPECT_EQ(run.m_nStatus, 2) << args;
        EXPECT_FALSE(run.m_strErr.empty()) << args;
    }
}

TEST_F(DriverCommands, AMissingLibraryIsNamedWithWhereItWasLookedFor)
{
    SetTestEnvironment("VFDKIT_VF620", (dir / "libVF620.so").string());
    const auto run = RunVfdkit("call ClearDisplay");
    EXPECT_EQ(run.m_nStatus, 1);
    EXPECT_TRUE(Has(run.m_strErr, "cannot load the VF620 library")) << run.m_strErr;
    EXPECT_TRUE(Has(run.m_strErr, (dir / "libVF620.so").string())) << run.m_strErr;
}
