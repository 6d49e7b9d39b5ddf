// The network port's own parts: addresses, the Telnet layer, and the causes
// of failures produced for real on this machine's loopback. The line itself
// is tested end to end against vfdsim and a port server (cli/tests).
#include "NetworkSerialPort.h"

#include "SerialPort.h"
#include "Telnet.h"

#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<std::uint8_t>;

// A listening socket on 127.0.0.1 with a free port, closed on destruction.
struct CListener
{
    int m_nFd = ::socket(AF_INET, SOCK_STREAM, 0);
    unsigned m_nPort = 0;

    CListener()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_nFd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_nFd, 1);
        socklen_t nLength = sizeof address;
        ::getsockname(m_nFd, reinterpret_cast<sockaddr*>(&address), &nLength);
        m_nPort = ntohs(address.sin_port);
    }
    ~CListener() { ::close(m_nFd); }
    std::string Url(const char* pszScheme) const
    {
        return std::string(pszScheme) + "://127.0.0.1:" + std::to_string(m_nPort);
    }
};
} // namespace

TEST(NetworkAddress, SchemesHostsAndPortsAreCheckedWhole)
{
    const auto rfc = CNetworkSerialPort::ParseAddress("rfc2217://till-12:7000");
    ASSERT_TRUE(rfc);
    EXPECT_TRUE(rfc->m_bRfc2217);
    EXPECT_EQ(rfc->m_strHost, "till-12");
    EXPECT_EQ(rfc->m_strPort, "7000");
    const auto v6 = CNetworkSerialPort::ParseAddress("tcp://[::1]:65535");
    ASSERT_TRUE(v6);
    EXPECT_FALSE(v6->m_bRfc2217);
    EXPECT_EQ(v6->m_strHost, "::1");
    for (const char* bad :
         {"/dev/ttyUSB0", "tcp://host", "tcp://:7000", "tcp://host:", "tcp://h:0", "tcp://h:65536",
          "tcp://h:70x", "tcp://::1:7000", "tcp://[::1]7000", "udp://h:7000", "rfc2217://"})
        EXPECT_FALSE(CNetworkSerialPort::ParseAddress(bad)) << bad;
    EXPECT_TRUE(CNetworkSerialPort::IsNetworkDevice("tcp://h:1"));
    EXPECT_FALSE(CNetworkSerialPort::IsNetworkDevice("/dev/tcp"));
}

TEST(Telnet, DataIsEscapedAndCommandsAreTakenOutAcrossReads)
{
    const Bytes data{0x41, 0xFF, 0x00, 0xFF};
    EXPECT_EQ(telnet::Escape(data.data(), data.size()),
              (Bytes{0x41, 0xFF, 0xFF, 0x00, 0xFF, 0xFF}));
    EXPECT_EQ(telnet::ComPortCommand(telnet::kSetBaudRate, {0, 0, 0x25, 0x80}),
              (Bytes{255, 250, 44, 1, 0, 0, 0x25, 0x80, 255, 240}));
    EXPECT_EQ(telnet::ComPortCommand(telnet::kSetDataSize, {0xFF}),
              (Bytes{255, 250, 44, 2, 255, 255, 255, 240}));

    // Data, a doubled 0xFF, a negotiation, a subnegotiation with a doubled
    // 0xFF and a NOP, fed one byte at a time: every split is a read boundary.
    const Bytes wire{'A', 255, 255, 'B', 255, 253, 44,  255, 250, 44,
                     101, 0,   255, 255, 7,   255, 240, 255, 241, 'C'};
    telnet::CDecoder decoder;
    Bytes out;
    std::vector<telnet::CDecoder::CCommand> commands;
    for (const std::uint8_t c : wire)
        decoder.Feed(&c, 1, out, commands);
    EXPECT_EQ(out, (Bytes{'A', 0xFF, 'B', 'C'}));
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0], (telnet::CDecoder::CCommand{telnet::kDo, 44, {}}));
    EXPECT_EQ(commands[1], (telnet::CDecoder::CCommand{telnet::kSb, 44, {101, 0, 0xFF, 7}}));
}

TEST(Telnet, NegotiationAgreesOnceAndRefusesTheUnknown)
{
    using namespace telnet;
    CNegotiator client({kOptBinary, kOptComPort});
    CNegotiator server({kOptBinary, kOptComPort});
    // The client offers; the server agrees; the agreement needs no answer.
    const Bytes offer = client.Offer(kWill, kOptComPort);
    EXPECT_EQ(offer, (Bytes{kIac, kWill, kOptComPort}));
    const Bytes agreed = server.Answer(kWill, kOptComPort);
    EXPECT_EQ(agreed, (Bytes{kIac, kDo, kOptComPort}));
    EXPECT_EQ(client.Answer(kDo, kOptComPort), Bytes{});
    EXPECT_TRUE(client.PeerAccepts(kOptComPort));
    // Asked again, nothing more is said: two ends never loop.
    EXPECT_EQ(client.Answer(kDo, kOptComPort), Bytes{});
    EXPECT_EQ(server.Answer(kWill, kOptComPort), Bytes{});
    // Options neither end supports are refused, and a refusal is noted.
    EXPECT_EQ(client.Answer(kDo, 1), (Bytes{kIac, kWont, 1}));
    EXPECT_EQ(client.Answer(kWill, 1), (Bytes{kIac, kDont, 1}));
    CNegotiator refused({kOptComPort});
    refused.Offer(kWill, kOptComPort);
    EXPECT_EQ(refused.Answer(kDont, kOptComPort), Bytes{});
    EXPECT_TRUE(refused.PeerRefuses(kOptComPort));
    EXPECT_FALSE(refused.PeerAccepts(kOptComPort));
}

TEST(NetworkSerialPort, EachFailureToConnectHasItsOwnCause)
{
    auto port = CreateSerialPort();
    std::string strUrl;
    {
        const CListener gone;
        strUrl = gone.Url("tcp");
    }
    EXPECT_FALSE(port->Open(strUrl));
    EXPECT_EQ(port->GetLastError(),
              strUrl + ": nothing listens at 127.0.0.1:" + strUrl.substr(strUrl.rfind(':') + 1) +
                  " (connection refused)");

    EXPECT_FALSE(port->Open("rfc2217://no-such-till.invalid:7000"));
    EXPECT_NE(port->GetLastError().find(": the name \"no-such-till.invalid\" does not resolve: "),
              std::string::npos)
        << port->GetLastError();

    EXPECT_FALSE(port->Open("tcp://till"));
    EXPECT_NE(port->GetLastError().find("not a network port"), std::string::npos);
    EXPECT_FALSE(port->IsOpen());
}

TEST(NetworkSerialPort, AServerThatTurnsTheClientAwayIsQuoted)
{
    // As a port server does whose device another client holds: a line of
    // text, then the connection closed, to every client that comes; raw or
    // not, the open says so once its tries are over.
    for (const char* pszScheme : {"rfc2217", "tcp"})
    {
        const CListener server;
        std::atomic<int> nTurnedAway{0};
        std::thread turnAway(
            [&]
            {
                for (;;)
                {
                    const int nClient = ::accept(server.m_nFd, nullptr, nullptr);
                    if (nClient < 0)
                        return; // the listener was shut down
                    const char szText[] = "Port already in use\r\n";
                    ::send(nClient, szText, sizeof szText - 1, MSG_NOSIGNAL);
                    ::close(nClient);
                    ++nTurnedAway;
                }
            });
        auto port = CreateSerialPort();
        const bool bOpened = port->Open(server.Url(pszScheme));
        ::shutdown(server.m_nFd, SHUT_RDWR);
        turnAway.join();
        EXPECT_FALSE(bOpened) << pszScheme;
        EXPECT_FALSE(port->IsOpen());
        EXPECT_GT(nTurnedAway, 1) << "a client turned away tries again";
        EXPECT_EQ(port->GetLastFault(), ESerialFault::Busy);
        EXPECT_EQ(port->GetLastError(),
                  server.Url(pszScheme) +
                      ": the server closed the connection: \"Port already in use\"");
    }
}

TEST(NetworkSerialPort, ARawPortCarriesEveryByteAndADropEndsTheLine)
{
    const CListener server;
    std::thread echo(
        [&]
        {
            const int nClient = ::accept(server.m_nFd, nullptr, nullptr);
            std::uint8_t buffer[256];
            std::size_t nGot = 0;
            while (nGot < 256)
            {
                const auto n = ::recv(nClient, buffer + nGot, 256 - nGot, 0);
                if (n <= 0)
                    break;
                nGot += static_cast<std::size_t>(n);
            }
            ::send(nClient, buffer, nGot, 0);
            ::close(nClient);
        });
    auto port = CreateSerialPort();
    ASSERT_TRUE(port->Open(server.Url("tcp"))) << port->GetLastError();
    EXPECT_TRUE(port->Configure(CSerialSettings{})); // a raw port keeps the server's settings
    EXPECT_TRUE(port->SetReadTimeouts(CReadTimeouts{0, 0, 5000}));
    Bytes all(256);
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(port->Write(all.data(), all.size()), 256);
    Bytes back(256);
    EXPECT_EQ(port->Read(back.data(), back.size()), 256);
    EXPECT_EQ(back, all);
    echo.join();
    // The server is gone: the next read says so.
    EXPECT_EQ(port->Read(back.data(), 1), -1);
    EXPECT_EQ(port->GetLastError(), server.Url("tcp") + ": the server closed the connection");
    EXPECT_EQ(port->Write(all.data(), 1), -1);
    EXPECT_TRUE(port->Close());
}
