#include "TcpLineEnd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
std::string Cause(const std::string& strWhat)
{
    return strWhat + ": " + std::strerror(errno);
}
} // namespace

bool CTcpLineEnd::Open(std::string& strError)
{
    Close();
    const std::size_t nColon = m_strAddress.rfind(':');
    if (nColon == std::string::npos || nColon == 0)
    {
        strError = "--listen needs HOST:PORT, not \"" + m_strAddress + "\"";
        return false;
    }
    std::string strHost = m_strAddress.substr(0, nColon);
    if (strHost.size() > 2 && strHost.front() == '[' && strHost.back() == ']')
        strHost = strHost.substr(1, strHost.size() - 2);
    const std::string strPort = m_strAddress.substr(nColon + 1);

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* pFound = nullptr;
    if (const int nResult = ::getaddrinfo(strHost.c_str(), strPort.c_str(), &hints, &pFound))
    {
        strError = "cannot listen at " + m_strAddress + ": " + ::gai_strerror(nResult);
        return false;
    }
    std::string strCause = "cannot listen at " + m_strAddress;
    for (const addrinfo* pAddress = pFound; pAddress && m_nListener < 0;
         pAddress = pAddress->ai_next)
    {
        const int nSocket = ::socket(pAddress->ai_family, pAddress->ai_socktype | SOCK_CLOEXEC, 0);
        if (nSocket < 0)
            continue;
        int nOn = 1;
        ::setsockopt(nSocket, SOL_SOCKET, SO_REUSEADDR, &nOn, sizeof nOn);
        if (::bind(nSocket, pAddress->ai_addr, pAddress->ai_addrlen) == 0 &&
            ::listen(nSocket, 4) == 0)
            m_nListener = nSocket;
        else
        {
            strCause = Cause("cannot listen at " + m_strAddress);
            ::close(nSocket);
        }
    }
    ::freeaddrinfo(pFound);
    if (m_nListener < 0)
    {
        strError = strCause;
        return false;
    }
    // The port taken, for port 0.
    sockaddr_storage bound{};
    socklen_t nLength = sizeof bound;
    ::getsockname(m_nListener, reinterpret_cast<sockaddr*>(&bound), &nLength);
    char szPort[16] = {};
    ::getnameinfo(reinterpret_cast<sockaddr*>(&bound), nLength, nullptr, 0, szPort, sizeof szPort,
                  NI_NUMERICSERV);
    const bool bIpv6 = strHost.find(':') != std::string::npos;
    m_strDevice = std::string(m_bRfc2217 ? "rfc2217://" : "tcp://") +
                  (bIpv6 ? "[" + strHost + "]" : strHost) + ":" + szPort;
    return true;
}

void CTcpLineEnd::Close()
{
    DropClient();
    if (m_nListener >= 0)
        ::close(m_nListener);
    m_nListener = -1;
}

void CTcpLineEnd::DropClient()
{
    if (m_nClient >= 0)
        ::close(m_nClient);
    m_nClient = -1;
}

void CTcpLineEnd::Accept()
{
    const int nClient = ::accept4(m_nListener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (nClient < 0)
        return;
    int nOn = 1;
    ::setsockopt(nClient, IPPROTO_TCP, TCP_NODELAY, &nOn, sizeof nOn);
    m_nClient = nClient;
    m_decoder = {};
    m_negotiator.Restart();
}

long long CTcpLineEnd::Read(std::uint8_t* pBuffer, std::size_t nCount)
{
    if (m_nClient < 0)
    {
        Accept();
        return 0;
    }
    std::uint8_t raw[4096];
    const ssize_t nRead = ::recv(m_nClient, raw, std::min(nCount, sizeof raw), 0);
    if (nRead < 0 && (errno == EAGAIN || errno == EINTR))
        return 0;
    if (nRead <= 0)
    {
        // The tool went away: the line waits for the next one.
        DropClient();
        return 0;
    }
    if (!m_bRfc2217)
    {
        std::memcpy(pBuffer, raw, static_cast<std::size_t>(nRead));
        return nRead;
    }
    std::vector<std::uint8_t> data;
    std::vector<telnet::CDecoder::CCommand> commands;
    m_decoder.Feed(raw, static_cast<std::size_t>(nRead), data, commands);
    for (const auto& command : commands)
        Answer(command);
    // Unescaped data is never longer than what came in.
    std::memcpy(pBuffer, data.data(), data.size());
    return static_cast<long long>(data.size());
}

void CTcpLineEnd::Answer(const telnet::CDecoder::CCommand& command)
{
    if (command.m_nVerb != telnet::kSb)
    {
        SendAll(m_negotiator.Answer(command.m_nVerb, command.m_nOption));
        return;
    }
    if (command.m_nOption != telnet::kOptComPort || command.m_payload.empty())
        return;
    // Every setting is taken as asked, and confirmed with its value.
    const std::uint8_t nCommand = command.m_payload.front();
    const std::vector<std::uint8_t> value(command.m_payload.begin() + 1, command.m_payload.end());
    if (nCommand == telnet::kSetBaudRate && value.size() == 4)
    {
        const unsigned nRate = (unsigned{value[0]} << 24) | (unsigned{value[1]} << 16) |
                               (unsigned{value[2]} << 8) | unsigned{value[3]};
        if (nRate)
            RateSet(nRate);
    }
    if (nCommand < telnet::kServerOffset)
        SendAll(telnet::ComPortCommand(nCommand + telnet::kServerOffset, value));
}

bool CTcpLineEnd::SendAll(const std::vector<std::uint8_t>& bytes)
{
    std::size_t nDone = 0;
    while (m_nClient >= 0 && nDone < bytes.size())
    {
        const ssize_t n =
            ::send(m_nClient, bytes.data() + nDone, bytes.size() - nDone, MSG_NOSIGNAL);
        if (n > 0)
        {
            nDone += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
        {
            ::usleep(1000);
            continue;
        }
        return false;
    }
    return true;
}

bool CTcpLineEnd::Write(const std::vector<std::uint8_t>& bytes)
{
    // Nobody connected: the bytes go out on a line nobody listens to.
    if (m_nClient < 0)
        return true;
    return SendAll(m_bRfc2217 ? telnet::Escape(bytes.data(), bytes.size()) : bytes);
}

void CTcpLineEnd::HangUp(const std::vector<std::uint8_t>& lastBytes, std::chrono::milliseconds)
{
    Write(lastBytes);
    if (m_nClient >= 0)
        ::shutdown(m_nClient, SHUT_RDWR);
    DropClient();
}
