#include "PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace
{
unsigned RateOf(speed_t speed)
{
    static constexpr std::pair<speed_t, unsigned> kRates[] = {
        {B1200, 1200},     {B2400, 2400},     {B4800, 4800},     {B9600, 9600},
        {B19200, 19200},   {B38400, 38400},   {B57600, 57600},   {B115200, 115200},
        {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
    };
    for (const auto& [code, nRate] : kRates)
        if (code == speed)
            return nRate;
    return 0;
}

std::string Cause(const char* pszWhat)
{
    return std::string(pszWhat) + ": " + std::strerror(errno);
}
} // namespace

bool CPseudoTerminal::Open(std::string& strError)
{
    Close();
    m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_nMaster < 0)
    {
        strError = Cause("cannot create a pseudo-terminal");
        return false;
    }
    char szName[128] = {};
    if (::grantpt(m_nMaster) != 0 || ::unlockpt(m_nMaster) != 0 ||
        ::ptsname_r(m_nMaster, szName, sizeof szName) != 0)
    {
        strError = Cause("cannot set up the pseudo-terminal");
        Close();
        return false;
    }
    m_strDevice = szName;
    m_nSlave = ::open(szName, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios tio{};
    if (m_nSlave < 0 || ::tcgetattr(m_nSlave, &tio) != 0)
    {
        strError = Cause(("cannot open " + m_strDevice).c_str());
        Close();
        return false;
    }
    // Raw from the start: a tool that writes before it configures the line
    // must not get its bytes echoed back as if the display had sent them.
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(m_nSlave, TCSANOW, &tio) != 0)
    {
        strError = Cause("cannot put the line in raw mode");
        Close();
        return false;
    }
    ::fcntl(m_nMaster, F_SETFL, ::fcntl(m_nMaster, F_GETFL) | O_NONBLOCK);
    return true;
}

void CPseudoTerminal::Close()
{
    if (m_nSlave >= 0)
        ::close(m_nSlave);
    if (m_nMaster >= 0)
        ::close(m_nMaster);
    m_nSlave = -1;
    m_nMaster = -1;
}

long long CPseudoTerminal::Read(std::uint8_t* pBuffer, std::size_t nCount)
{
    for (;;)
    {
        const ssize_t n = ::read(m_nMaster, pBuffer, nCount);
        if (n > 0)
            ReportRate();
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        // EIO: for a moment no slave was open; not a failure of the line.
        if (errno == EAGAIN || errno == EIO)
            return 0;
        return -1;
    }
}

void CPseudoTerminal::ReportRate()
{
    // The tools' end holds the line's settings; the simulator's own
    // descriptor of it reads them.
    termios tio{};
    if (m_nSlave >= 0 && ::tcgetattr(m_nSlave, &tio) == 0)
        if (const unsigned nRate = RateOf(::cfgetospeed(&tio)))
            RateSet(nRate);
}

bool CPseudoTerminal::Write(const std::vector<std::uint8_t>& bytes)
{
    std::size_t nDone = 0;
    while (nDone < bytes.size())
    {
        const ssize_t n = ::write(m_nMaster, bytes.data() + nDone, bytes.size() - nDone);
        if (n > 0)
        {
            nDone += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
        {
            pollfd pfd{m_nMaster, POLLOUT, 0};
            if (::poll(&pfd, 1, 1000) <= 0)
                return false; // nobody reads: the line is stuck
            continue;
        }
        return false;
    }
    return true;
}

void CPseudoTerminal::HangUp(const std::vector<std::uint8_t>& lastBytes,
                             std::chrono::milliseconds maxWait)
{
    if (!IsOpen())
        return;
    // Stop the tool's output, as a flow-control stop would: a write it
    // starts from now on waits, and the hang-up fails it.
    ::tcflow(m_nSlave, TCOOFF);
    Write(lastBytes);
    // Wait until the bytes have reached the tool's side (the kernel moves
    // them on asynchronously), then until the tool has read them.
    auto unread = [&]
    {
        int nUnread = 0;
        return ::ioctl(m_nSlave, FIONREAD, &nUnread) == 0 ? nUnread : 0;
    };
    const auto now = std::chrono::steady_clock::now;
    const auto arrived = now() + std::chrono::milliseconds(200);
    while (!lastBytes.empty() && unread() == 0 && now() < arrived)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto until = now() + maxWait;
    while (unread() > 0 && now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    // Time for the tool to start its next write, which then blocks.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Close();
}

void CPseudoTerminal::ReleaseStaleExclusive()
{
    int nExclusive = 0;
    if (m_nSlave < 0 || ::ioctl(m_nSlave, TIOCGEXCL, &nExclusive) != 0 || !nExclusive)
        return;
    if (::flock(m_nSlave, LOCK_EX | LOCK_NB) != 0)
        return; // a tool holds the port: its mark is not stale
    ::ioctl(m_nSlave, TIOCNXCL);
    ::flock(m_nSlave, LOCK_UN);
}
