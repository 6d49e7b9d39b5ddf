#pragma once

#include "Driver.h"
#include "FakeSerialPort.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// The driver owns the port it opens and destroys it on close; this hands it
// a view of one long-lived fake so a test can look at every open of it.
class CFakePortView final : public CSerialPort
{
public:
    explicit CFakePortView(CFakeSerialPort& fake) : m_fake(fake) {}

    bool Open(const std::string& strDevice) override { return m_fake.Open(strDevice); }
    bool IsOpen() const override { return m_fake.IsOpen(); }
    bool Configure(const CSerialSettings& settings) override { return m_fake.Configure(settings); }
    bool SetReadTimeouts(const CReadTimeouts& timeouts) override
    {
        return m_fake.SetReadTimeouts(timeouts);
    }
    long long Write(const void* pData, std::size_t nCount) override
    {
        return m_fake.Write(pData, nCount);
    }
    long long Read(void* pBuffer, std::size_t nCount) override
    {
        return m_fake.Read(pBuffer, nCount);
    }
    bool Purge(unsigned nFlags) override { return m_fake.Purge(nFlags); }
    bool Close() override { return m_fake.Close(); }
    const std::string& GetLastError() const override { return m_fake.GetLastError(); }

private:
    CFakeSerialPort& m_fake;
};

// A driver over a fake port and virtual time, with the messages it shows
// kept in order.
struct CDriverParts
{
    CVirtualClock m_clock;
    CFakeSerialPort m_fake{&m_clock};
    std::vector<std::string> m_messages;
    bool m_bNoPortObject = false; // the factory makes nothing

    CDriverPort::CPortFactory Factory()
    {
        return [this]() -> std::unique_ptr<CSerialPort>
        {
            if (m_bNoPortObject)
                return nullptr;
            return std::make_unique<CFakePortView>(m_fake);
        };
    }
    static CDriverPort::CDeviceNamer Namer()
    {
        return [](unsigned nPort) { return "COM" + std::to_string(nPort); };
    }
    CFontDownload::CMessageSink Sink()
    {
        return [this](const std::string& strText) { m_messages.push_back(strText); };
    }
    std::unique_ptr<CDriver> MakeDriver()
    {
        return std::make_unique<CDriver>(Factory(), Namer(), m_clock, Sink());
    }
};

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(const std::string& strText)
{
    return Bytes(strText.begin(), strText.end());
}

inline std::chrono::milliseconds Ms(long long n)
{
    return std::chrono::milliseconds(n);
}
