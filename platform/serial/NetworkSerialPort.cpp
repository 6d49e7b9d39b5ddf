#include "NetworkSerialPort.h"

#include "ReadTiming.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace
{
using Clock = std::chrono::steady_clock;

#ifdef _WIN32
// Winsock is started once for the process and left to its end.
struct CWinsock
{
    CWinsock()
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
};
void StartSockets()
{
    static CWinsock s_winsock;
}
int LastSocketError()
{
    return ::WSAGetLastError();
}
bool WouldBlock(int nError)
{
    return nError == WSAEWOULDBLOCK || nError == WSAEINPROGRESS;
}
bool Refused(int nError)
{
    return nError == WSAECONNREFUSED;
}
int PollSockets(pollfd* pFds, unsigned nCount, int nWaitMs)
{
    return ::WSAPoll(pFds, nCount, nWaitMs);
}
void CloseSocket(std::uintptr_t nSocket)
{
    ::closesocket(static_cast<SOCKET>(nSocket));
}
bool SetNonBlocking(std::uintptr_t nSocket)
{
    u_long nOn = 1;
    return ::ioctlsocket(static_cast<SOCKET>(nSocket), FIONBIO, &nOn) == 0;
}
constexpr int kSendFlags = 0;
#else
void StartSockets() {}
int LastSocketError()
{
    return errno;
}
bool WouldBlock(int nError)
{
    return nError == EAGAIN || nError == EWOULDBLOCK || nError == EINPROGRESS;
}
bool Refused(int nError)
{
    return nError == ECONNREFUSED;
}
int PollSockets(pollfd* pFds, unsigned nCount, int nWaitMs)
{
    return ::poll(pFds, nCount, nWaitMs);
}
void CloseSocket(int nSocket)
{
    ::close(nSocket);
}
bool SetNonBlocking(int nSocket)
{
    const int nFlags = ::fcntl(nSocket, F_GETFL);
    return nFlags >= 0 && ::fcntl(nSocket, F_SETFL, nFlags | O_NONBLOCK) == 0;
}
// A peer that went away fails the write instead of ending the program.
constexpr int kSendFlags = MSG_NOSIGNAL;
#endif

std::string ErrorText(int nError)
{
    return std::system_category().message(nError);
}

int MillisecondsUntil(Clock::time_point when)
{
    return CReadTiming::MillisecondsUntil(when);
}

// How long a write may wait for the server to take more bytes.
constexpr std::chrono::seconds kSendTimeout{30};
} // namespace

std::optional<CNetworkSerialPort::CAddress>
CNetworkSerialPort::ParseAddress(const std::string& strDevice)
{
    CAddress address;
    std::string strRest;
    for (const auto& [pszScheme, bRfc2217] : {std::pair{"rfc2217://", true}, {"tcp://", false}})
        if (strDevice.rfind(pszScheme, 0) == 0)
        {
            address.m_bRfc2217 = bRfc2217;
            strRest = strDevice.substr(std::strlen(pszScheme));
        }
    if (strRest.empty())
        return std::nullopt;
    std::size_t nColon = 0;
    if (strRest.front() == '[')
    {
        const std::size_t nClose = strRest.find(']');
        if (nClose == std::string::npos || nClose + 1 >= strRest.size() ||
            strRest[nClose + 1] != ':')
            return std::nullopt;
        address.m_strHost = strRest.substr(1, nClose - 1);
        nColon = nClose + 1;
    }
    else
    {
        nColon = strRest.rfind(':');
        if (nColon == std::string::npos)
            return std::nullopt;
        address.m_strHost = strRest.substr(0, nColon);
        if (address.m_strHost.find(':') != std::string::npos)
            return std::nullopt; // an IPv6 address goes in brackets
    }
    address.m_strPort = strRest.substr(nColon + 1);
    if (address.m_strHost.empty() || address.m_strPort.empty() || address.m_strPort.size() > 5 ||
        !std::all_of(address.m_strPort.begin(), address.m_strPort.end(),
                     [](unsigned char c) { return std::isdigit(c); }) ||
        std::stoul(address.m_strPort) == 0 || std::stoul(address.m_strPort) > 65535)
        return std::nullopt;
    return address;
}

bool CNetworkSerialPort::IsNetworkDevice(const std::string& strDevice)
{
    return strDevice.rfind("rfc2217://", 0) == 0 || strDevice.rfind("tcp://", 0) == 0;
}

CNetworkSerialPort::CNetworkSerialPort()
{
    StartSockets();
}

CNetworkSerialPort::~CNetworkSerialPort()
{
    Close();
}

bool CNetworkSerialPort::Fail(const std::string& strWhat, ESerialFault eFault)
{
    SetLastError(eFault, m_strDevice + ": " + strWhat);
    return false;
}

long long CNetworkSerialPort::Failed(const std::string& strWhat)
{
    Fail(strWhat);
    return -1;
}

std::string CNetworkSerialPort::Closed() const
{
    // A port server that turns a client away says why in a line of text,
    // before the program has read anything.
    std::string strText;
    for (const std::uint8_t c : m_bDelivered ? std::vector<std::uint8_t>() : m_lastText)
        if (c >= 0x20 && c < 0x7F)
            strText += static_cast<char>(c);
        else if (!strText.empty() && strText.back() != ' ')
            strText += ' ';
    while (!strText.empty() && strText.back() == ' ')
        strText.pop_back();
    return "the server closed the connection" +
           (strText.empty() ? std::string() : ": \"" + strText + "\"");
}

bool CNetworkSerialPort::Connect(const CAddress& address)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* pFound = nullptr;
    if (const int nResult =
            ::getaddrinfo(address.m_strHost.c_str(), address.m_strPort.c_str(), &hints, &pFound);
        nResult != 0)
    {
#ifdef _WIN32
        const std::string strWhy = ErrorText(nResult);
#else
        const std::string strWhy = ::gai_strerror(nResult);
#endif
        return Fail("the name \"" + address.m_strHost + "\" does not resolve: " + strWhy,
                    ESerialFault::NoDevice);
    }
    // A lambda: on 32-bit Windows the function has its own calling convention.
    const auto freeAddresses = [](addrinfo* pList) { ::freeaddrinfo(pList); };
    std::unique_ptr<addrinfo, decltype(freeAddresses)> found(pFound, freeAddresses);

    const std::string strWhere = address.m_strHost + ":" + address.m_strPort;
    std::string strCause = "cannot connect to " + strWhere;
    const auto deadline = Clock::now() + kConnectTimeout;
    for (const addrinfo* pAddress = pFound; pAddress; pAddress = pAddress->ai_next)
    {
        auto nSocket = ::socket(pAddress->ai_family, pAddress->ai_socktype, pAddress->ai_protocol);
        if (nSocket == static_cast<decltype(nSocket)>(kNoSocket))
            continue;
        const auto socket = static_cast<Socket>(nSocket);
        int nError = 0;
        if (!SetNonBlocking(socket))
            nError = LastSocketError();
        else if (::connect(nSocket, pAddress->ai_addr, static_cast<int>(pAddress->ai_addrlen)) != 0)
        {
            nError = LastSocketError();
            if (WouldBlock(nError))
            {
                pollfd fd{};
                fd.fd = nSocket;
                fd.events = POLLOUT;
                const int nReady = PollSockets(&fd, 1, MillisecondsUntil(deadline));
                if (nReady == 0)
                    nError = -1;
                else
                {
                    socklen_t nLength = sizeof nError;
                    ::getsockopt(nSocket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&nError),
                                 &nLength);
                }
            }
        }
        if (nError == 0)
        {
            // Each write goes out at once: the pacing between bytes is the program's.
            int nOn = 1;
            ::setsockopt(nSocket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&nOn),
                         sizeof nOn);
            m_nSocket = socket;
            return true;
        }
        CloseSocket(socket);
        if (nError == -1)
            strCause = strWhere + " does not answer (no connection within " +
                       std::to_string(kConnectTimeout.count() / 1000) + " s)";
        else if (Refused(nError))
            strCause = "nothing listens at " + strWhere + " (connection refused)";
        else
            strCause = "cannot connect to " + strWhere + ": " + ErrorText(nError);
        if (Clock::now() >= deadline)
            break;
    }
    return Fail(strCause, ESerialFault::NoDevice);
}

bool CNetworkSerialPort::Open(const std::string& strDevice)
{
    if (IsOpen())
    {
        SetLastError(ESerialFault::Other, m_strDevice + ": the port is already open");
        return false;
    }
    m_strDevice = strDevice;
    ClearLastError();
    const std::optional<CAddress> address = ParseAddress(strDevice);
    if (!address)
        return Fail("not a network port: write rfc2217://HOST:PORT or tcp://HOST:PORT",
                    ESerialFault::NoDevice);
    m_bRfc2217 = address->m_bRfc2217;
    // A port server still closing the last client's session turns the next
    // one away for a moment: a client turned away tries again, a while.
    const auto giveUpAt = Clock::now() + kBusyRetry;
    for (;;)
    {
        if (OpenOnce(*address))
            return true;
        if (GetLastFault() != ESerialFault::Busy || Clock::now() >= giveUpAt)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

bool CNetworkSerialPort::OpenOnce(const CAddress& address)
{
    // Each connection starts with nothing received and nothing agreed.
    m_decoder = {};
    m_negotiator.Restart();
    m_data.clear();
    m_lastText.clear();
    m_answered.clear();
    m_bPeerClosed = false;
    m_bDelivered = false;
    if (!Connect(address))
        return false;
    if (!m_bRfc2217)
    {
        // A port server whose device another client holds takes the
        // connection and closes it at once: wait that long to say so here.
        const auto deadline = Clock::now() + kRawSettle;
        while (!m_bPeerClosed && Receive(MillisecondsUntil(deadline)) && Clock::now() < deadline)
        {
        }
        if (!m_bPeerClosed)
            return true;
        Close();
        // As a port server turns away a second client.
        SetLastError(ESerialFault::Busy, GetLastError());
        return false;
    }

    using namespace telnet;
    std::vector<std::uint8_t> offers;
    for (const auto& [nVerb, nOption] : {std::pair{kWill, kOptComPort},
                                         {kWill, kOptBinary},
                                         {kDo, kOptBinary},
                                         {kWill, kOptSuppressGoAhead},
                                         {kDo, kOptSuppressGoAhead}})
    {
        const auto offer = m_negotiator.Offer(nVerb, nOption);
        offers.insert(offers.end(), offer.begin(), offer.end());
    }
    if (!SendRaw(offers))
    {
        Close();
        return m_bPeerClosed ? Fail(Closed(), ESerialFault::Busy) : false;
    }
    const auto deadline = Clock::now() + kAnswerTimeout;
    while (!m_negotiator.PeerAccepts(kOptComPort) && !m_negotiator.PeerRefuses(kOptComPort))
    {
        const int nWaitMs = MillisecondsUntil(deadline);
        if (nWaitMs == 0 || !Receive(nWaitMs))
        {
            const std::string strCause =
                m_bPeerClosed ? Closed() : "the server does not answer the Telnet negotiation";
            Close();
            return Fail(strCause, m_bPeerClosed ? ESerialFault::Busy : ESerialFault::Other);
        }
    }
    if (m_negotiator.PeerRefuses(kOptComPort))
    {
        Close();
        return Fail("the server refuses the COM port control option (RFC 2217); "
                    "a raw port is reached as tcp://");
    }
    return true;
}

bool CNetworkSerialPort::SendRaw(const std::vector<std::uint8_t>& bytes)
{
    std::size_t nSent = 0;
    while (nSent < bytes.size())
    {
        const auto nResult = ::send(m_nSocket, reinterpret_cast<const char*>(bytes.data()) + nSent,
                                    static_cast<int>(bytes.size() - nSent), kSendFlags);
        if (nResult > 0)
        {
            nSent += static_cast<std::size_t>(nResult);
            continue;
        }
        const int nError = LastSocketError();
        if (!WouldBlock(nError))
        {
            m_bPeerClosed = true;
            return Fail("the connection was dropped: " + ErrorText(nError));
        }
        pollfd fd{};
        fd.fd = m_nSocket;
        fd.events = POLLOUT;
        if (PollSockets(&fd, 1, static_cast<int>(kSendTimeout.count() * 1000)) == 0)
            return Fail("the server takes no more data");
    }
    return true;
}

bool CNetworkSerialPort::Receive(int nWaitMs)
{
    if (m_bPeerClosed)
        return Fail(Closed());
    pollfd fd{};
    fd.fd = m_nSocket;
    fd.events = POLLIN;
    const int nReady = PollSockets(&fd, 1, nWaitMs);
    if (nReady < 0)
        return Fail("cannot wait for the server: " + ErrorText(LastSocketError()));
    if (nReady == 0)
        return true;
    std::uint8_t buffer[4096];
    const auto nRead = ::recv(m_nSocket, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
    if (nRead == 0)
    {
        m_bPeerClosed = true;
        return Fail(Closed());
    }
    if (nRead < 0)
    {
        const int nError = LastSocketError();
        if (WouldBlock(nError))
            return true;
        m_bPeerClosed = true;
        return Fail("the connection was dropped: " + ErrorText(nError));
    }
    const auto nCount = static_cast<std::size_t>(nRead);
    if (!m_bRfc2217)
    {
        m_data.insert(m_data.end(), buffer, buffer + nCount);
        m_lastText.assign(buffer + nCount - std::min<std::size_t>(nCount, 80), buffer + nCount);
        return true;
    }
    std::vector<std::uint8_t> data;
    std::vector<telnet::CDecoder::CCommand> commands;
    m_decoder.Feed(buffer, nCount, data, commands);
    m_data.insert(m_data.end(), data.begin(), data.end());
    if (!data.empty())
        m_lastText.assign(data.end() -
                              static_cast<std::ptrdiff_t>(std::min<std::size_t>(data.size(), 80)),
                          data.end());
    for (const auto& command : commands)
        Answer(command);
    return true;
}

void CNetworkSerialPort::Answer(const telnet::CDecoder::CCommand& command)
{
    if (command.m_nVerb != telnet::kSb)
    {
        const auto answer = m_negotiator.Answer(command.m_nVerb, command.m_nOption);
        if (!answer.empty())
            SendRaw(answer);
        return;
    }
    // The server's answers to our settings; its notifications of line and
    // modem state are taken in and dropped.
    if (command.m_nOption == telnet::kOptComPort && !command.m_payload.empty())
        m_answered.push_back(command.m_payload.front());
}

bool CNetworkSerialPort::Command(std::uint8_t nCommand, const std::vector<std::uint8_t>& value)
{
    const std::uint8_t nAnswer = nCommand + telnet::kServerOffset;
    m_answered.erase(std::remove(m_answered.begin(), m_answered.end(), nAnswer), m_answered.end());
    if (!SendRaw(telnet::ComPortCommand(nCommand, value)))
        return false;
    const auto deadline = Clock::now() + kAnswerTimeout;
    while (std::find(m_answered.begin(), m_answered.end(), nAnswer) == m_answered.end())
    {
        const int nWaitMs = MillisecondsUntil(deadline);
        if (nWaitMs == 0)
            return Fail("the server did not answer a line setting (RFC 2217 command " +
                        std::to_string(nCommand) + ")");
        if (!Receive(nWaitMs))
            return false;
    }
    return true;
}

bool CNetworkSerialPort::Configure(const CSerialSettings& settings)
{
    if (!IsOpen())
        return Fail("the port is not open");
    // A raw port carries no settings: the server's device keeps its own.
    if (!m_bRfc2217)
        return true;
    if (settings.m_nParity > 4)
        return Fail("no such parity: " + std::to_string(settings.m_nParity));
    const std::uint32_t nRate = settings.m_nBaudRate;
    return Command(telnet::kSetBaudRate,
                   {static_cast<std::uint8_t>(nRate >> 24), static_cast<std::uint8_t>(nRate >> 16),
                    static_cast<std::uint8_t>(nRate >> 8), static_cast<std::uint8_t>(nRate)}) &&
           Command(telnet::kSetDataSize, {settings.m_nDataBits}) &&
           Command(telnet::kSetParity, {static_cast<std::uint8_t>(settings.m_nParity + 1)}) &&
           Command(telnet::kSetStopSize, {1}) &&
           (settings.m_bKeepLineControl || Command(telnet::kSetControl, {1}));
}

bool CNetworkSerialPort::SetReadTimeouts(const CReadTimeouts& timeouts)
{
    if (!IsOpen())
        return Fail("the port is not open");
    m_timeouts = timeouts;
    return true;
}

long long CNetworkSerialPort::Write(const void* pData, std::size_t nCount)
{
    if (!IsOpen())
        return Failed("the port is not open");
    if (m_bPeerClosed)
        return Failed(Closed());
    const auto* pBytes = static_cast<const std::uint8_t*>(pData);
    const bool bSent = m_bRfc2217 ? SendRaw(telnet::Escape(pBytes, nCount))
                                  : SendRaw(std::vector<std::uint8_t>(pBytes, pBytes + nCount));
    return bSent ? static_cast<long long>(nCount) : -1;
}

long long CNetworkSerialPort::Read(void* pBuffer, std::size_t nCount)
{
    if (!IsOpen())
        return Failed("the port is not open");
    auto* pOut = static_cast<std::uint8_t*>(pBuffer);
    CReadTiming timing(m_timeouts, nCount);
    std::size_t nGot = 0;
    for (;;)
    {
        const std::size_t nTake = std::min(nCount - nGot, m_data.size());
        std::copy_n(m_data.begin(), nTake, pOut + nGot);
        m_data.erase(m_data.begin(), m_data.begin() + static_cast<std::ptrdiff_t>(nTake));
        nGot += nTake;
        m_bDelivered = m_bDelivered || nTake > 0;
        if ((nTake > 0 && timing.OnBytes()) || nGot == nCount)
            break;
        const int nWaitMs = timing.WaitMs(nGot);
        if (nWaitMs == 0)
            break;
        if (!Receive(nWaitMs))
            return nGot > 0 ? static_cast<long long>(nGot) : -1;
    }
    return static_cast<long long>(nGot);
}

bool CNetworkSerialPort::Purge(unsigned nFlags)
{
    if (!IsOpen())
        return Fail("the port is not open");
    if (nFlags & (PURGE_RXABORT | PURGE_RXCLEAR))
    {
        if (!Receive(0) && m_bPeerClosed)
            return false;
        m_data.clear();
    }
    if (!m_bRfc2217)
        return true;
    std::uint8_t nWhich = 0;
    if (nFlags & PURGE_RXCLEAR)
        nWhich |= 1;
    if (nFlags & PURGE_TXCLEAR)
        nWhich |= 2;
    return nWhich == 0 || Command(telnet::kPurgeData, {nWhich});
}

bool CNetworkSerialPort::Close()
{
    if (m_nSocket != kNoSocket)
        CloseSocket(m_nSocket);
    m_nSocket = kNoSocket;
    return true;
}
