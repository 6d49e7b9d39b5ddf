#include "PortMap.h"

#include "SerialPort.h"
#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace
{
void WriteText(const std::string& strPath, const std::string& strText)
{
    std::filesystem::create_directories(std::filesystem::path(strPath).parent_path());
    std::ofstream(strPath) << strText;
}

// Sets an environment variable for one test, restoring it afterwards.
class CScopedEnv
{
public:
    CScopedEnv(const char* pszName, const char* pszValue) : m_strName(pszName)
    {
        if (const char* pszOld = std::getenv(pszName))
            m_strOld = pszOld, m_bHad = true;
        if (pszValue)
            ::setenv(pszName, pszValue, 1);
        else
            ::unsetenv(pszName);
    }
    ~CScopedEnv()
    {
        if (m_bHad)
            ::setenv(m_strName.c_str(), m_strOld.c_str(), 1);
        else
            ::unsetenv(m_strName.c_str());
    }

private:
    std::string m_strName;
    std::string m_strOld;
    bool m_bHad = false;
};
} // namespace

TEST(PortMap, SourcesInOrderVariableUserSystemDefault)
{
    CTempFolder folder;
    const std::string strUser = folder / "user";
    const std::string strSystem = folder / "system";
    WriteText(strUser, "# adapters\nCOM3 = /dev/ttyUSB0  # the display\n");
    WriteText(strSystem, "COM3=/dev/ttyUSB9\ncom4=/dev/ttyACM0\n");
    CScopedEnv unset3("VFDKIT_COM3", nullptr);
    CScopedEnv unset4("VFDKIT_COM4", nullptr);
    std::ostringstream warnings;

    auto got = ResolveComPort(3, {strUser, strSystem}, &warnings);
    EXPECT_EQ(got.m_strDevice, "/dev/ttyUSB0");
    EXPECT_EQ(got.m_strSource, strUser + ":2");
    got = ResolveComPort(4, {strUser, strSystem}, &warnings);
    EXPECT_EQ(got.m_strDevice, "/dev/ttyACM0");
    EXPECT_EQ(got.m_strSource, strSystem + ":2");
    got = ResolveComPort(5, {strUser, strSystem, folder / "missing"}, &warnings);
    EXPECT_EQ(got.m_strDevice, "/dev/ttyS4");
    EXPECT_EQ(got.m_strSource, "default");
    EXPECT_EQ(ResolveComPort(0, {strUser}, &warnings).m_strDevice, "");
    {
        CScopedEnv variable("VFDKIT_COM3", "/dev/pts/42");
        got = ResolveComPort(3, {strUser, strSystem}, &warnings);
        EXPECT_EQ(got.m_strDevice, "/dev/pts/42");
        EXPECT_EQ(got.m_strSource, "VFDKIT_COM3");
    }
    {
        CScopedEnv empty("VFDKIT_COM3", ""); // an empty setting counts as none
        EXPECT_EQ(ResolveComPort(3, {strUser}, &warnings).m_strDevice, "/dev/ttyUSB0");
    }
    EXPECT_EQ(warnings.str(), "");
}

TEST(PortMap, MalformedLinesAreReportedWithFileAndLineAndSkipped)
{
    CTempFolder folder;
    const std::string strMap = folder / "ports";
    WriteText(strMap,
              "COM3\nCOM0=/dev/x\nLPT1=/dev/lp0\nCOM2=\nCOM3=/dev/ttyUSB1\nCOM3=/dev/late\n");
    std::ostringstream warnings;
    const auto entries = ReadPortMap(strMap, &warnings);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.at(3).m_strDevice, "/dev/ttyUSB1");
    EXPECT_EQ(entries.at(3).m_nLine, 5);
    const std::string strText = warnings.str();
    for (const int nLine : {1, 2, 3, 4})
        EXPECT_NE(strText.find(strMap + ":" + std::to_string(nLine) + ": "), std::string::npos)
            << strText;
    EXPECT_EQ(strText.find(":5:"), std::string::npos);
    EXPECT_NE(strText.find("\"LPT1\" is not a port name"), std::string::npos);
}

TEST(PortMap, UserFileFollowsXdgConfigHomeAndReachesComPortDevice)
{
    CTempFolder folder;
    CScopedEnv unset("VFDKIT_COM7", nullptr);
    {
        CScopedEnv config("XDG_CONFIG_HOME", folder.Path().c_str());
        EXPECT_EQ(UserPortMapPath(), folder / "vfdkit/ports");
        WriteText(folder / "vfdkit/ports", "COM7=/dev/pts/77\n");
        EXPECT_EQ(ComPortDevice(7), "/dev/pts/77");
        EXPECT_EQ(ResolveComPort(7).m_strSource, folder / "vfdkit/ports:1");
    }
    CScopedEnv relative("XDG_CONFIG_HOME", "relative/path");
    CScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(UserPortMapPath(), "/home/someone/.config/vfdkit/ports");
}

TEST(PortMap, EditsKeepOtherLinesAndCreateTheFolder)
{
    CTempFolder folder;
    const std::string strMap = folder / "new/vfdkit/ports";
    std::string strError;
    ASSERT_TRUE(EditPortMap(strMap, 3, "/dev/ttyUSB0", strError)) << strError;
    EXPECT_EQ(ReadWholeFile(strMap), "COM3=/dev/ttyUSB0\n");

    WriteText(strMap, "# mine\nCOM1=/dev/ttyS0 # kept\nCOM3=/dev/old\nCOM3=/dev/dead\n");
    ASSERT_TRUE(EditPortMap(strMap, 3, "/dev/ttyACM0", strError)) << strError;
    EXPECT_EQ(ReadWholeFile(strMap), "# mine\nCOM1=/dev/ttyS0 # kept\nCOM3=/dev/ttyACM0\n");
    ASSERT_TRUE(EditPortMap(strMap, 3, "", strError)) << strError;
    EXPECT_EQ(ReadWholeFile(strMap), "# mine\nCOM1=/dev/ttyS0 # kept\n");
    ASSERT_TRUE(EditPortMap(strMap, 9, "/dev/ttyUSB2", strError));
    EXPECT_EQ(ReadWholeFile(strMap), "# mine\nCOM1=/dev/ttyS0 # kept\nCOM9=/dev/ttyUSB2\n");
}
