#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// A TCP port of 127.0.0.1 that was free a moment ago.
inline unsigned FreeTcpPort()
{
    const int nFd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(nFd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t nLength = sizeof address;
    ::getsockname(nFd, reinterpret_cast<sockaddr*>(&address), &nLength);
    ::close(nFd);
    return ntohs(address.sin_port);
}

// A connection to 127.0.0.1:nPort, or -1.
inline int ConnectToLocalPort(unsigned nPort)
{
    const int nFd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(nPort));
    if (::connect(nFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return nFd;
    ::close(nFd);
    return -1;
}

// ser2net serving one device on two ports of 127.0.0.1: RFC 2217 and raw.
// The device starts at 115200 baud, so a rate the tools set shows.
class CSer2netProcess
{
public:
    static std::string Program()
    {
        for (const char* pszPath : {"/usr/sbin/ser2net", "/usr/bin/ser2net"})
            if (::access(pszPath, X_OK) == 0)
                return pszPath;
        return {};
    }

    CSer2netProcess(const std::filesystem::path& dir, const std::string& strDevice)
        : m_nRfc2217(FreeTcpPort()), m_nRaw(FreeTcpPort())
    {
        const std::filesystem::path config = dir / "ser2net.yaml";
        std::ofstream(config) << "connection: &rfc2217\n"
                                 "  accepter: telnet(rfc2217),tcp,127.0.0.1,"
                              << m_nRfc2217 << "\n  connector: serialdev," << strDevice
                              << ",115200n81,local\n"
                                 "connection: &raw\n"
                                 "  accepter: tcp,127.0.0.1,"
                              << m_nRaw << "\n  connector: serialdev," << strDevice
                              << ",9600n81,local\n";
        m_pid = ::fork();
        if (m_pid == 0)
        {
            const std::string strLog = (dir / "ser2net.log").string();
            if (!std::freopen(strLog.c_str(), "w", stdout) ||
                !std::freopen(strLog.c_str(), "a", stderr))
                ::_exit(126);
            const std::string strProgram = Program();
            ::execl(strProgram.c_str(), strProgram.c_str(), "-n", "-d", "-c", config.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Up when both ports take connections.
        for (int i = 0; i < 100 && !m_bUp; ++i)
        {
            const int nA = ConnectToLocalPort(m_nRfc2217), nB = ConnectToLocalPort(m_nRaw);
            m_bUp = nA >= 0 && nB >= 0;
            for (const int nFd : {nA, nB})
                if (nFd >= 0)
                    ::close(nFd);
            if (!m_bUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ~CSer2netProcess()
    {
        if (m_pid > 0)
        {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    CSer2netProcess(const CSer2netProcess&) = delete;
    CSer2netProcess& operator=(const CSer2netProcess&) = delete;

    bool IsUp() const { return m_bUp; }
    std::string Rfc2217() const { return "rfc2217://127.0.0.1:" + std::to_string(m_nRfc2217); }
    std::string Raw() const { return "tcp://127.0.0.1:" + std::to_string(m_nRaw); }
    unsigned RawPort() const { return m_nRaw; }

private:
    unsigned m_nRfc2217;
    unsigned m_nRaw;
    pid_t m_pid = -1;
    bool m_bUp = false;
};
