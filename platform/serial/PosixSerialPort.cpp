#include "PosixSerialPort.h"

#include "ReadTiming.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <optional>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace
{
std::optional<speed_t> SpeedOf(std::uint32_t nBaud)
{
    struct CRate
    {
        std::uint32_t m_nBaud;
        speed_t m_speed;
    };
    static constexpr CRate s_rates[] = {
        {50, B50},         {75, B75},         {110, B110},       {134, B134},     {150, B150},
        {200, B200},       {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
        {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
        {57600, B57600},   {115200, B115200}, {230400, B230400},
#ifdef B460800
        {460800, B460800},
#endif
#ifdef B921600
        {921600, B921600},
#endif
    };
    for (const auto& rate : s_rates)
        if (rate.m_nBaud == nBaud)
            return rate.m_speed;
    return std::nullopt;
}

std::string GroupName(gid_t nGid)
{
    const group* pGroup = ::getgrgid(nGid);
    return pGroup ? pGroup->gr_name : std::to_string(nGid);
}

std::string UserName(uid_t nUid)
{
    const passwd* pUser = ::getpwuid(nUid);
    return pUser ? pUser->pw_name : std::to_string(nUid);
}

bool RunsInGroup(gid_t nGid)
{
    if (::getegid() == nGid)
        return true;
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int nGot = ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<std::size_t>(std::max(nGot, 0)));
    return std::find(groups.begin(), groups.end(), nGid) != groups.end();
}

std::string ModeText(mode_t nMode)
{
    char szMode[8];
    std::snprintf(szMode, sizeof szMode, "%04o", static_cast<unsigned>(nMode & 07777));
    return szMode;
}

// Serial devices are given to a group (dialout, uucp...) whose members may
// use them; the fix is nearly always to join it.
std::string DeniedCause(const std::string& strDevice)
{
    struct stat st
    {
    };
    if (::stat(strDevice.c_str(), &st) != 0)
        return "permission denied (a folder on the way to it is closed to this user)";
    const std::string strGroup = GroupName(st.st_gid);
    constexpr mode_t nGroupRw = S_IRGRP | S_IWGRP;
    if ((st.st_mode & nGroupRw) != nGroupRw || st.st_gid == 0)
        return "permission denied: only its owner " + UserName(st.st_uid) + " may open it (mode " +
               ModeText(st.st_mode) + ", group " + strGroup + ")";
    if (RunsInGroup(st.st_gid))
        return "permission denied, although this program runs in the group " + strGroup +
               " that owns it (mode " + ModeText(st.st_mode) + ")";
    return "permission denied: the device belongs to the group " + strGroup +
           "; add your user to the group " + strGroup + " (sudo usermod -aG " + strGroup +
           " $USER), then log in again";
}

// The processes with the device open, as "name (process N)", found through
// /proc; those that cannot be looked into are passed over.
std::vector<std::string> Holders(const std::string& strDevice)
{
    namespace fs = std::filesystem;
    std::vector<std::string> holders;
    struct stat device
    {
    };
    if (::stat(strDevice.c_str(), &device) != 0)
        return holders;
    const auto sameNode = [&device](const struct stat& st)
    {
        // Several nodes can stand for one terminal (a by-id link, a copy).
        if (S_ISCHR(device.st_mode))
            return S_ISCHR(st.st_mode) && st.st_rdev == device.st_rdev;
        return st.st_dev == device.st_dev && st.st_ino == device.st_ino;
    };
    std::error_code ec;
    for (auto it = fs::directory_iterator("/proc", ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
    {
        const std::string strPid = it->path().filename().string();
        if (strPid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::error_code ecFd;
        for (auto fd = fs::directory_iterator(it->path() / "fd", ecFd);
             !ecFd && fd != fs::directory_iterator(); fd.increment(ecFd))
        {
            struct stat st
            {
            };
            if (::stat(fd->path().c_str(), &st) != 0 || !sameNode(st))
                continue;
            std::string strName;
            std::getline(std::ifstream(it->path() / "comm"), strName);
            holders.push_back((strName.empty() ? std::string("a program") : strName) +
                              " (process " + strPid + ")");
            break;
        }
    }
    return holders;
}

std::string BusyCause(const std::string& strDevice)
{
    std::string strCause = "the port is in use by another program";
    const auto holders = Holders(strDevice);
    constexpr std::size_t nShown = 4;
    for (std::size_t i = 0; i < holders.size() && i < nShown; ++i)
        strCause += (i == 0 ? ": " : ", ") + holders[i];
    if (holders.size() > nShown)
        strCause += " and " + std::to_string(holders.size() - nShown) + " more";
    return strCause;
}

std::string NotSerialCause(int nFd)
{
    struct stat st
    {
    };
    if (::fstat(nFd, &st) == 0)
    {
        if (S_ISREG(st.st_mode))
            return "not a serial device (a regular file)";
        if (S_ISFIFO(st.st_mode))
            return "not a serial device (a pipe)";
        if (S_ISSOCK(st.st_mode))
            return "not a serial device (a socket)";
    }
    return "not a serial device (it has no terminal settings)";
}

} // namespace

bool CPosixSerialPort::Fail(const std::string& strWhat, int nErrno)
{
    return Fail(ESerialFault::Other, strWhat, nErrno);
}

bool CPosixSerialPort::Fail(ESerialFault eFault, const std::string& strWhat, int nErrno)
{
    std::string strText = m_strDevice + ": " + strWhat;
    if (nErrno)
        strText += std::string(": ") + std::strerror(nErrno);
    SetLastError(eFault, std::move(strText));
    return false;
}

long long CPosixSerialPort::Failed(const std::string& strWhat, int nErrno)
{
    Fail(strWhat, nErrno);
    return -1;
}

bool CPosixSerialPort::FailNotOpen()
{
    return Fail("the port is not open");
}

bool CPosixSerialPort::Open(const std::string& strDevice)
{
    if (IsOpen())
    {
        SetLastError(ESerialFault::Other, m_strDevice + ": the port is already open");
        return false;
    }
    m_strDevice = strDevice;
    ClearLastError();
    if (strDevice.empty())
        return Fail(ESerialFault::NoDevice, "no device is set for this port");

    // O_NONBLOCK: the open must not wait for a modem's carrier, and reads
    // and writes are timed with poll() anyway.
    const int nFd = ::open(strDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (nFd < 0)
    {
        const int nErr = errno;
        switch (nErr)
        {
        case ENOENT:
        case ENOTDIR:
            return Fail(ESerialFault::NoDevice, "no such device");
        case ENODEV:
        case ENXIO:
            return Fail(ESerialFault::NoDevice,
                        "no such device (the node is there, but no port answers behind it)");
        case EACCES:
        case EPERM:
            return Fail(ESerialFault::Denied, DeniedCause(strDevice));
        case EBUSY:
            return Fail(ESerialFault::Busy, BusyCause(strDevice));
        case EISDIR:
            return Fail(ESerialFault::NotSerial, "not a serial device (a folder)");
        default:
            return Fail("cannot open", nErr);
        }
    }
    auto giveUp = [&](ESerialFault eFault, const std::string& strWhat, int nErr)
    {
        ::close(nFd);
        return Fail(eFault, strWhat, nErr);
    };
    if (!::isatty(nFd))
        return giveUp(ESerialFault::NotSerial, NotSerialCause(nFd), 0);
    if (::flock(nFd, LOCK_EX | LOCK_NB) != 0)
    {
        const int nErr = errno;
        if (nErr != EWOULDBLOCK)
            return giveUp(ESerialFault::Other, "cannot lock the port", nErr);
        // Closed before the holders are looked for, so that this process
        // counts only when it holds the port elsewhere.
        ::close(nFd);
        return Fail(ESerialFault::Busy, BusyCause(strDevice));
    }
    if (::ioctl(nFd, TIOCEXCL) != 0)
        return giveUp(ESerialFault::Other, "cannot take the port exclusively", errno);

    termios tio{};
    if (::tcgetattr(nFd, &tio) != 0)
    {
        const int nErr = errno;
        ::ioctl(nFd, TIOCNXCL);
        if (nErr == ENOTTY)
            return giveUp(ESerialFault::NotSerial, NotSerialCause(nFd), 0);
        return giveUp(ESerialFault::Other, "cannot read the line settings", nErr);
    }
    m_found = tio;
    ::cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(nFd, TCSANOW, &tio) != 0)
    {
        const int nErr = errno;
        ::ioctl(nFd, TIOCNXCL);
        return giveUp(ESerialFault::Other, "cannot put the line in raw mode", nErr);
    }
    m_nFd = nFd;
    m_timeouts = {};
    return true;
}

bool CPosixSerialPort::Configure(const CSerialSettings& settings)
{
    if (!IsOpen())
        return FailNotOpen();
    const auto speed = SpeedOf(settings.m_nBaudRate);
    if (!speed)
        return Fail("the line rate " + std::to_string(settings.m_nBaudRate) +
                    " baud is not supported");
    tcflag_t nSize = 0;
    switch (settings.m_nDataBits)
    {
    case 5:
        nSize = CS5;
        break;
    case 6:
        nSize = CS6;
        break;
    case 7:
        nSize = CS7;
        break;
    case 8:
        nSize = CS8;
        break;
    default:
        return Fail(std::to_string(settings.m_nDataBits) + " data bits are not supported");
    }

    termios tio{};
    if (::tcgetattr(m_nFd, &tio) != 0)
        return Fail("cannot read the line settings", errno);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CMSPAR
    tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    tio.c_cflag |= nSize;
    switch (settings.m_nParity)
    {
    case 0: // none
        break;
    case 1: // odd
        tio.c_cflag |= PARENB | PARODD;
        break;
    case 2: // even
        tio.c_cflag |= PARENB;
        break;
#ifdef CMSPAR
    // Stick parity: with CMSPAR, PARODD selects a parity bit that is always 1.
    case 3: // mark
        tio.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case 4: // space
        tio.c_cflag |= PARENB | CMSPAR;
        break;
#else
    case 3:
    case 4:
        return Fail("mark and space parity are not supported on this system");
#endif
    default:
        return Fail("unknown parity code " + std::to_string(settings.m_nParity));
    }
    ::cfsetispeed(&tio, *speed);
    ::cfsetospeed(&tio, *speed);
    if (::tcsetattr(m_nFd, TCSANOW, &tio) != 0)
        return Fail("the port rejects the line settings", errno);

    // tcsetattr() succeeds when any part was taken; a rate the port quietly
    // replaced would garble every byte, so it is checked.
    termios now{};
    if (::tcgetattr(m_nFd, &now) != 0)
        return Fail("cannot read the line settings", errno);
    if (::cfgetospeed(&now) != *speed)
        return Fail("the port does not take " + std::to_string(settings.m_nBaudRate) + " baud");
    return true;
}

bool CPosixSerialPort::SetReadTimeouts(const CReadTimeouts& timeouts)
{
    if (!IsOpen())
        return FailNotOpen();
    m_timeouts = timeouts;
    return true;
}

long long CPosixSerialPort::Write(const void* pData, std::size_t nCount)
{
    if (!IsOpen())
        return Failed("the port is not open");
    const auto* p = static_cast<const std::uint8_t*>(pData);
    std::size_t nDone = 0;
    while (nDone < nCount)
    {
        const ssize_t n = ::write(m_nFd, p + nDone, nCount - nDone);
        if (n > 0)
        {
            nDone += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
        {
            // No write time-outs: wait for room as long as it takes. A line
            // that hangs up wakes the poll and fails the next write.
            pollfd pfd{m_nFd, POLLOUT, 0};
            if (::poll(&pfd, 1, -1) < 0 && errno != EINTR)
                return Failed("cannot write", errno);
            continue;
        }
        return Failed("cannot write", n < 0 ? errno : EIO);
    }
    // The write ends when the bytes have left, as the programs' timing
    // (pauses after each command) assumes.
    while (::tcdrain(m_nFd) != 0)
        if (errno != EINTR)
            return Failed("cannot send", errno);
    return static_cast<long long>(nDone);
}

long long CPosixSerialPort::Read(void* pBuffer, std::size_t nCount)
{
    if (!IsOpen())
        return Failed("the port is not open");
    if (nCount == 0)
        return 0;

    CReadTiming timing(m_timeouts, nCount);
    auto* p = static_cast<std::uint8_t*>(pBuffer);
    std::size_t nGot = 0;
    for (;;)
    {
        const ssize_t n = ::read(m_nFd, p + nGot, nCount - nGot);
        if (n > 0)
        {
            nGot += static_cast<std::size_t>(n);
            if (timing.OnBytes() || nGot == nCount)
                break;
            continue;
        }
        if (n == 0)
            return Failed("the line was hung up");
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return Failed("cannot read", errno);

        // Nothing waiting: sleep in poll() until a byte comes or a limit passes.
        const int nWaitMs = timing.WaitMs(nGot);
        if (nWaitMs == 0)
            break;
        pollfd pfd{m_nFd, POLLIN, 0};
        if (::poll(&pfd, 1, nWaitMs) < 0 && errno != EINTR)
            return Failed("cannot read", errno);
    }
    return static_cast<long long>(nGot);
}

bool CPosixSerialPort::Purge(unsigned nFlags)
{
    if (!IsOpen())
        return FailNotOpen();
    const bool bRx = (nFlags & (PURGE_RXABORT | PURGE_RXCLEAR)) != 0;
    const bool bTx = (nFlags & (PURGE_TXABORT | PURGE_TXCLEAR)) != 0;
    if (!bRx && !bTx)
        return true;
    const int nQueue = bRx && bTx ? TCIOFLUSH : bRx ? TCIFLUSH : TCOFLUSH;
    if (::tcflush(m_nFd, nQueue) != 0)
        return Fail("cannot clear the queues", errno);
    return true;
}

bool CPosixSerialPort::Close()
{
    if (!IsOpen())
        return false;
    // The bytes still queued go out at the rate they were written for: a
    // bounded wait (2 s) for the output queue to empty comes first.
    for (int nWait = 0; nWait < 200; ++nWait)
    {
        int nQueued = 0;
        if (::ioctl(m_nFd, TIOCOUTQ, &nQueued) != 0 || nQueued <= 0)
            break;
        ::usleep(10'000);
    }
    // Whatever this port changed goes back as found. A line that hung up
    // refuses, and then there is nothing left to restore for.
    ::tcsetattr(m_nFd, TCSANOW, &m_found);
    // The exclusive flag belongs to the terminal, not to our descriptor: it
    // would outlive us while anyone else (a pseudo-terminal's owner) keeps
    // the line open, and lock every later user out.
    ::ioctl(m_nFd, TIOCNXCL);
    const int nResult = ::close(m_nFd);
    const int nErr = errno;
    m_nFd = -1;
    if (nResult != 0)
        return Fail("cannot close", nErr);
    return true;
}
