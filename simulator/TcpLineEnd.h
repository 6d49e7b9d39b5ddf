#pragma once

#include "LineEnd.h"
#include "Telnet.h"

#include <string>

// The display served over TCP, as a port server in front of it would serve
// it: one tool at a time (the next waits until it leaves, as at a busy
// port), raw bytes or the Telnet COM port control option (RFC 2217), whose
// line settings are answered as a port server answers them and whose rate
// is reported. A tool that disconnects leaves the line idle, as closing a
// serial port does.
class CTcpLineEnd final : public CLineEnd
{
public:
    // strAddress is "HOST:PORT"; port 0 takes a free one, which DevicePath names.
    CTcpLineEnd(std::string strAddress, bool bRfc2217)
        : m_strAddress(std::move(strAddress)), m_bRfc2217(bRfc2217)
    {
    }
    CTcpLineEnd(const CTcpLineEnd&) = delete;
    CTcpLineEnd& operator=(const CTcpLineEnd&) = delete;
    ~CTcpLineEnd() override { Close(); }

    bool Open(std::string& strError) override;
    void Close();
    int PollFd() const override { return m_nClient >= 0 ? m_nClient : m_nListener; }
    long long Read(std::uint8_t* pBuffer, std::size_t nCount) override;
    bool Write(const std::vector<std::uint8_t>& bytes) override;
    void HangUp(const std::vector<std::uint8_t>& lastBytes,
                std::chrono::milliseconds maxWait) override;

private:
    void Accept();
    void DropClient();
    bool SendAll(const std::vector<std::uint8_t>& bytes);
    void Answer(const telnet::CDecoder::CCommand& command);

    std::string m_strAddress;
    bool m_bRfc2217;
    int m_nListener = -1;
    int m_nClient = -1;
    telnet::CDecoder m_decoder;
    telnet::CNegotiator m_negotiator{
        {telnet::kOptBinary, telnet::kOptSuppressGoAhead, telnet::kOptComPort}};
};
