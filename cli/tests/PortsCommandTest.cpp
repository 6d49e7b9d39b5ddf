// vfdkit ports as a user runs it: the report, and map and unmap on the
// user's map file.
#include "RunTool.h"
#include "TempFolder.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace
{
struct PortsCommand : ::testing::Test
{
    CTempFolder folder;
    std::string strMap = folder / "config/vfdkit/ports";
    void SetUp() override
    {
        SetTestEnvironment("XDG_CONFIG_HOME", folder / "config");
        for (const char* pszName : {"VFDKIT_COM2", "VFDKIT_COM3", "VFDKIT_COM12"})
            UnsetTestEnvironment(pszName);
    }
    void TearDown() override
    {
        UnsetTestEnvironment("XDG_CONFIG_HOME");
        UnsetTestEnvironment("VFDKIT_COM2");
    }
};

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
} // namespace

TEST_F(PortsCommand, MapAndUnmapKeepTheFilesOtherLinesAndTheReportFollows)
{
    std::filesystem::create_directories(folder / "config/vfdkit");
    const std::string strBefore = "# the shop's displays\n"
                                  "COM2=/dev/ttyACM0   # till 2\n"
                                  "\n"
                                  "COM3=/dev/ttyUSB9\n";
    folder.Write("config/vfdkit/ports", strBefore);

    auto run = RunVfdkit("ports map com3 " + ShellQuote(folder / "adapter"));
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "COM3=" + (folder / "adapter") + " in " + strMap + "\n");
    EXPECT_TRUE(Has(run.m_strErr, "note: " + (folder / "adapter") + " does not exist now"));
    run = RunVfdkit("ports map COM12 /dev/ttyUSB1");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_EQ(ReadWholeFile(strMap), "# the shop's displays\n"
                                     "COM2=/dev/ttyACM0   # till 2\n"
                                     "\n"
                                     "COM3=" +
                                         (folder / "adapter") +
                                         "\n"
                                         "COM12=/dev/ttyUSB1\n");

    folder.Write("adapter", "");
    SetTestEnvironment("VFDKIT_COM2", "/dev/from-the-variable");
    const auto report = RunVfdkit("ports");
    ASSERT_EQ(report.m_nStatus, 0) << report.m_strErr;
    EXPECT_TRUE(Has(report.m_strOut, "COM ports:\n  COM1  ")) << report.m_strOut;
    EXPECT_TRUE(Has(report.m_strOut, "[VFDKIT_COM2]\n")) << report.m_strOut;
    EXPECT_TRUE(Has(report.m_strOut, "  COM3  " + (folder / "adapter")));
    EXPECT_TRUE(Has(report.m_strOut, "not a terminal, read-write  [" + strMap + ":4]\n"))
        << report.m_strOut;
    EXPECT_TRUE(Has(report.m_strOut, "  COM16 "));
    EXPECT_FALSE(Has(report.m_strOut, "COM17"));
    EXPECT_TRUE(Has(report.m_strOut, "\nSerial devices:\n"));
    const auto json = RunVfdkit("ports --json");
    ASSERT_EQ(json.m_nStatus, 0) << json.m_strErr;
    EXPECT_TRUE(Has(json.m_strOut, "{\"port\": \"COM12\", \"number\": 12, \"device\": "
                                   "\"/dev/ttyUSB1\", \"source\": \"" +
                                       strMap + ":5\""))
        << json.m_strOut;
    EXPECT_TRUE(Has(json.m_strOut, "\"devices\": ["));

    run = RunVfdkit("ports unmap 3");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "COM3 removed from " + strMap + "\n");
    run = RunVfdkit("ports unmap COM12");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_EQ(ReadWholeFile(strMap), "# the shop's displays\n"
                                     "COM2=/dev/ttyACM0   # till 2\n"
                                     "\n");
    run = RunVfdkit("ports unmap COM12");
    EXPECT_EQ(run.m_nStatus, 0);
    EXPECT_EQ(run.m_strOut, "COM12 is not in " + strMap + ": nothing to remove\n");

    // The variable wins over the map: mapping that port says so.
    run = RunVfdkit("ports map COM2 /dev/ttyUSB3");
    EXPECT_TRUE(
        Has(run.m_strErr, "VFDKIT_COM2=/dev/from-the-variable is set and wins over the map"))
        << run.m_strErr;
}

TEST_F(PortsCommand, WrongCommandLinesNameWhatIsWrongAndTouchNothing)
{
    folder.Write("keep", "");
    const struct
    {
        const char* m_pszArgs;
        const char* m_pszMessage;
    } cases[] = {
        {"ports map COM0 /dev/ttyUSB0",
         "vfdkit ports: COMn must be COM1 to COM255, not \"COM0\" (see vfdkit ports --help)\n"},
        {"ports map COM256 /dev/ttyUSB0",
         "vfdkit ports: COMn must be COM1 to COM255, not \"COM256\" (see vfdkit ports --help)\n"},
        {"ports map COM3 ttyUSB0", "vfdkit ports: DEVICE must be an absolute path (/dev/ttyUSB0), "
                                   "not \"ttyUSB0\" (see vfdkit ports --help)\n"},
        {"ports map COM3 '/dev/tty#1'",
         "vfdkit ports: DEVICE cannot hold '#', a line break or "
         "end in a blank: \"/dev/tty#1\" (see vfdkit ports --help)\n"},
        {"ports map COM3",
         "vfdkit ports: ports map takes COMn and DEVICE (see vfdkit ports --help)\n"},
        {"ports unmap", "vfdkit ports: ports unmap takes COMn (see vfdkit ports --help)\n"},
        {"ports list",
         "vfdkit ports: \"list\" is no action: map or unmap (see vfdkit ports --help)\n"},
        {"ports --json map COM3 /dev/x",
         "vfdkit ports: --json is for the report, not for map (see vfdkit ports --help)\n"},
    };
    for (const auto& c : cases)
    {
        const auto run = RunVfdkit(c.m_pszArgs);
        EXPECT_EQ(run.m_nStatus, 2) << c.m_pszArgs;
        EXPECT_EQ(run.m_strErr, c.m_pszMessage);
    }
    EXPECT_FALSE(folder.Exists("config"));
}

TEST_F(PortsCommand, AReadOnlyMapIsAFileErrorAndStaysAsItWas)
{
    std::filesystem::create_directories(folder / "config/vfdkit");
    folder.Write("config/vfdkit/ports", "COM1=/dev/ttyS9\n");
    // Without a write bit the file is refused, for root as well.
    std::filesystem::permissions(strMap, std::filesystem::perms::owner_read);
    const auto run = RunVfdkit("ports map COM1 /dev/ttyUSB0");
    EXPECT_EQ(run.m_nStatus, 3);
    EXPECT_TRUE(Has(run.m_strErr, "vfdkit ports: ")) << run.m_strErr;
    EXPECT_TRUE(Has(run.m_strErr, strMap)) << run.m_strErr;
    EXPECT_EQ(folder.Read("config/vfdkit/ports"), "COM1=/dev/ttyS9\n");
}
