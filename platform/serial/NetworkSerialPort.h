#pragma once

#include "SerialPort.h"
#include "Telnet.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

// A serial port on another machine, reached through a port server over TCP:
// "rfc2217://HOST:PORT" speaks the Telnet COM port control option, so the
// line settings a program sets go to the server's device; "tcp://HOST:PORT"
// carries the bytes alone and leaves the line as the server set it.
//
// TCP_NODELAY sends each write at once, so a program's pacing between bytes
// holds on the wire. A name that does not resolve, a refused or unanswered
// connection, a server that closes at once (as a port server does whose
// device another client holds) and a connection dropped later each give
// their own cause.
class CNetworkSerialPort final : public CSerialPort
{
public:
    struct CAddress
    {
        bool m_bRfc2217 = false;
        std::string m_strHost;
        std::string m_strPort;
    };
    // The address of "rfc2217://HOST:PORT" or "tcp://HOST:PORT" (an IPv6
    // host in brackets); nothing for anything else.
    static std::optional<CAddress> ParseAddress(const std::string& strDevice);
    static bool IsNetworkDevice(const std::string& strDevice);

    // How long connecting and each answer of the server may take.
    static constexpr std::chrono::milliseconds kConnectTimeout{5000};
    static constexpr std::chrono::milliseconds kAnswerTimeout{3000};
    // How long a raw connection is watched for being closed at once.
    static constexpr std::chrono::milliseconds kRawSettle{150};
    // How long a client turned away tries again.
    static constexpr std::chrono::milliseconds kBusyRetry{2000};

    CNetworkSerialPort();
    CNetworkSerialPort(const CNetworkSerialPort&) = delete;
    CNetworkSerialPort& operator=(const CNetworkSerialPort&) = delete;
    ~CNetworkSerialPort() override;

    bool Open(const std::string& strDevice) override;
    bool IsOpen() const override { return m_nSocket != kNoSocket; }
    bool Configure(const CSerialSettings& settings) override;
    bool SetReadTimeouts(const CReadTimeouts& timeouts) override;
    long long Write(const void* pData, std::size_t nCount) override;
    long long Read(void* pBuffer, std::size_t nCount) override;
    bool Purge(unsigned nFlags) override;
    bool Close() override;

private:
#ifdef _WIN32
    using Socket = std::uintptr_t;
    static constexpr Socket kNoSocket = ~Socket{0};
#else
    using Socket = int;
    static constexpr Socket kNoSocket = -1;
#endif

    bool Fail(const std::string& strWhat, ESerialFault eFault = ESerialFault::Other);
    long long Failed(const std::string& strWhat); // Fail() for the counting calls: -1
    bool Connect(const CAddress& address);
    // One connection and, for RFC 2217, its negotiation.
    bool OpenOnce(const CAddress& address);
    bool SendRaw(const std::vector<std::uint8_t>& bytes);
    // Waits up to nWaitMs (-1: no limit) for bytes and takes them in; false
    // when the connection failed or closed (the cause is set then).
    bool Receive(int nWaitMs);
    void Answer(const telnet::CDecoder::CCommand& command);
    // Sends a COM port command and waits for the server's answer to it.
    bool Command(std::uint8_t nCommand, const std::vector<std::uint8_t>& value);
    std::string Closed() const;

    Socket m_nSocket = kNoSocket;
    std::string m_strDevice;
    bool m_bRfc2217 = false;
    CReadTimeouts m_timeouts;
    telnet::CDecoder m_decoder;
    telnet::CNegotiator m_negotiator{
        {telnet::kOptBinary, telnet::kOptSuppressGoAhead, telnet::kOptComPort}};
    std::deque<std::uint8_t> m_data;      // received, not read yet
    std::vector<std::uint8_t> m_lastText; // the last bytes before a close
    std::vector<std::uint8_t> m_answered; // COM port answers seen, by command
    bool m_bPeerClosed = false;
    bool m_bDelivered = false; // the program has read bytes of this connection
};
