#pragma once

#include "SerialPort.h"

#include <memory>

// A port object that forwards to one the test owns, so that a test can hand
// the port functions a factory and still look at its fake afterwards.
class CBorrowedPort final : public CSerialPort
{
public:
    explicit CBorrowedPort(CSerialPort& port) : m_port(port) {}

    static std::unique_ptr<CSerialPort> Of(CSerialPort& port)
    {
        return std::make_unique<CBorrowedPort>(port);
    }

    bool Open(const std::string& strDevice) override { return m_port.Open(strDevice); }
    bool IsOpen() const override { return m_port.IsOpen(); }
    bool Configure(const CSerialSettings& settings) override { return m_port.Configure(settings); }
    bool SetReadTimeouts(const CReadTimeouts& timeouts) override
    {
        return m_port.SetReadTimeouts(timeouts);
    }
    long long Write(const void* pData, std::size_t nCount) override
    {
        return m_port.Write(pData, nCount);
    }
    long long Read(void* pBuffer, std::size_t nCount) override
    {
        return m_port.Read(pBuffer, nCount);
    }
    bool Purge(unsigned nFlags) override { return m_port.Purge(nFlags); }
    bool Close() override { return m_port.Close(); }
    const std::string& GetLastError() const override { return m_port.GetLastError(); }

private:
    CSerialPort& m_port;
};
