// Each cause of a failed open, produced for real, and the terminal settings
// given back on close.
#include "PortMap.h"
#include "PseudoTerminal.h"
#include "TempFolder.h"

#include <cstring>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace
{
// The fault and text of an open made by a child process that has dropped
// root for the user and group nobody.
struct COpenOutcome
{
    int m_nFault = -1;
    std::string m_strText;
};

COpenOutcome OpenAsNobody(const std::string& strDevice)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        ::close(fds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        CPosixSerialPort port;
        port.Open(strDevice);
        const std::string strOut =
            std::to_string(static_cast<int>(port.GetLastFault())) + " " + port.GetLastError();
        (void)!::write(fds[1], strOut.data(), strOut.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string strIn;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        strIn.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int nStatus = 0;
    ::waitpid(pid, &nStatus, 0);
    COpenOutcome outcome;
    if (const auto nSpace = strIn.find(' '); nSpace != std::string::npos)
    {
        outcome.m_nFault = std::stoi(strIn.substr(0, nSpace));
        outcome.m_strText = strIn.substr(nSpace + 1);
    }
    return outcome;
}

std::string ProcessName()
{
    std::string strName;
    std::getline(std::ifstream("/proc/self/comm"), strName);
    return strName;
}
} // namespace

TEST_F(PseudoTerminal, AUserWithoutRightsIsToldWhichGroupToJoin)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the terminal to a group and drop to another user";
    const group* pGroup = ::getgrnam("dialout");
    if (!pGroup)
        pGroup = ::getgrnam("tty");
    ASSERT_NE(pGroup, nullptr);
    const std::string strGroup = pGroup->gr_name;
    ASSERT_EQ(::chown(m_strSlave.c_str(), 0, pGroup->gr_gid), 0);

    ASSERT_EQ(::chmod(m_strSlave.c_str(), 0660), 0);
    COpenOutcome outcome = OpenAsNobody(m_strSlave);
    EXPECT_EQ(outcome.m_nFault, static_cast<int>(ESerialFault::Denied));
    EXPECT_EQ(outcome.m_strText,
              m_strSlave + ": permission denied: the device belongs to the group " + strGroup +
                  "; add your user to the group " + strGroup + " (sudo usermod -aG " + strGroup +
                  " $USER), then log in again");

    // Joining the group would not help: the group may not open it.
    ASSERT_EQ(::chmod(m_strSlave.c_str(), 0600), 0);
    outcome = OpenAsNobody(m_strSlave);
    EXPECT_EQ(outcome.m_nFault, static_cast<int>(ESerialFault::Denied));
    EXPECT_EQ(outcome.m_strText, m_strSlave + ": permission denied: only its owner root may open " +
                                     "it (mode 0600, group " + strGroup + ")");
}

TEST_F(PseudoTerminal, ABusyPortNamesTheProcessThatHoldsIt)
{
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        ::close(ready[0]);
        ::close(release[1]);
        CPosixSerialPort holder;
        const char cOpened = holder.Open(m_strSlave) ? 'y' : 'n';
        (void)!::write(ready[1], &cOpened, 1);
        char c;
        (void)!::read(release[0], &c, 1); // until the parent closes its end
        holder.Close();
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char cOpened = 0;
    ASSERT_EQ(::read(ready[0], &cOpened, 1), 1);
    ASSERT_EQ(cOpened, 'y');

    CPosixSerialPort port;
    EXPECT_FALSE(port.Open(m_strSlave));
    EXPECT_EQ(port.GetLastFault(), ESerialFault::Busy);
    EXPECT_EQ(port.GetLastError(), m_strSlave + ": the port is in use by another program: " +
                                       ProcessName() + " (process " + std::to_string(pid) + ")");

    ::close(release[1]);
    ::close(ready[0]);
    int nStatus = 0;
    ::waitpid(pid, &nStatus, 0);
    EXPECT_TRUE(port.Open(m_strSlave)) << port.GetLastError();
}

TEST(SerialPortCauses, AMissingDeviceNamesTheMappingThatLedToIt)
{
    const CTempFolder folder;
    const std::string strMap = (folder.Path() / "ports").string();
    std::ofstream(strMap) << "# the adapter\nCOM7=/dev/vfdkit-unplugged\n";
    ::unsetenv("VFDKIT_COM7");

    CPosixSerialPort port;
    CPortResolution resolution = ResolveComPort(7, {strMap}, nullptr);
    EXPECT_FALSE(port.Open(resolution.m_strDevice));
    EXPECT_EQ(port.GetLastFault(), ESerialFault::NoDevice);
    EXPECT_EQ(ComPortOpenError(7, resolution, port),
              "/dev/vfdkit-unplugged: no such device (COM7 is mapped to it at " + strMap + ":2)");

    ::setenv("VFDKIT_COM7", "/dev/vfdkit-elsewhere", 1);
    resolution = ResolveComPort(7, {strMap}, nullptr);
    EXPECT_FALSE(port.Open(resolution.m_strDevice));
    EXPECT_EQ(ComPortOpenError(7, resolution, port),
              "/dev/vfdkit-elsewhere: no such device (COM7 is mapped to it by the variable "
              "VFDKIT_COM7)");
    ::unsetenv("VFDKIT_COM7");

    // Without a mapping the default device is named, and how to map one.
    resolution = ResolveComPort(200, {strMap}, nullptr);
    EXPECT_FALSE(port.Open(resolution.m_strDevice));
    const std::string strText = ComPortOpenError(200, resolution, port);
    EXPECT_EQ(strText.rfind("/dev/ttyS199: no such device (COM200's default device; map COM200 "
                            "to your device with a line \"COM200=/dev/...\" in ",
                            0),
              0u)
        << strText;
    EXPECT_NE(strText.find("or set VFDKIT_COM200)"), std::string::npos) << strText;

    // Other causes pass through as the port gives them.
    const std::string strFile = (folder.Path() / "ports").string();
    resolution = {strFile, "VFDKIT_COM7"};
    EXPECT_FALSE(port.Open(strFile));
    EXPECT_EQ(ComPortOpenError(7, resolution, port), port.GetLastError());
    EXPECT_EQ(ComPortOpenError(7, {}, port), "COM7: no device is set for this port");
}

TEST(SerialPortCauses, WhatIsNoSerialLineSaysWhatItIs)
{
    const CTempFolder folder;
    const std::string strFile = (folder.Path() / "a-file").string();
    std::ofstream(strFile) << "x";
    CPosixSerialPort port;
    EXPECT_FALSE(port.Open(strFile));
    EXPECT_EQ(port.GetLastFault(), ESerialFault::NotSerial);
    EXPECT_EQ(port.GetLastError(), strFile + ": not a serial device (a regular file)");

    EXPECT_FALSE(port.Open(folder.Path().string()));
    EXPECT_EQ(port.GetLastFault(), ESerialFault::NotSerial);
    EXPECT_EQ(port.GetLastError(), folder.Path().string() + ": not a serial device (a folder)");

    EXPECT_FALSE(port.Open("/dev/null"));
    EXPECT_EQ(port.GetLastFault(), ESerialFault::NotSerial);
    EXPECT_EQ(port.GetLastError(), "/dev/null: not a serial device (it has no terminal settings)");
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(PseudoTerminal, CloseGivesTheLineBackAsItWasFound)
{
    // A cooked line with software flow control at 4800 baud.
    termios found = LineSettings();
    found.c_iflag |= IXON | IXOFF | ICRNL;
    found.c_lflag |= ICANON | ECHO | ISIG;
    found.c_oflag |= OPOST;
    found.c_cc[VMIN] = 3;
    ::cfsetispeed(&found, B4800);
    ::cfsetospeed(&found, B4800);
    ASSERT_EQ(::tcsetattr(m_nMaster, TCSANOW, &found), 0);
    const termios before = LineSettings();

    CPosixSerialPort port;
    ASSERT_TRUE(port.Open(m_strSlave)) << port.GetLastError();
    ASSERT_TRUE(port.Configure({38400, 2, 8})) << port.GetLastError();
    const termios open = LineSettings();
    EXPECT_EQ(open.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(open.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(::cfgetospeed(&open), static_cast<speed_t>(B38400));
    ASSERT_TRUE(port.Close());

    const termios after = LineSettings();
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(std::memcmp(after.c_cc, before.c_cc, sizeof after.c_cc), 0);
    EXPECT_EQ(::cfgetospeed(&after), static_cast<speed_t>(B4800));
}
