#pragma once

#include "FakeSerialPort.h"

#include <memory>
#include <string>

// Code under test owns the port objects it opens and destroys them on
// close; this hands it a view of one long-lived fake, so that a test can
// look at every open of it.
class CFakePortView final : public CSerialPort
{
public:
    explicit CFakePortView(CFakeSerialPort& fake) : m_fake(fake) {}

    static std::unique_ptr<CSerialPort> Of(CFakeSerialPort& fake)
    {
        return std::make_unique<CFakePortView>(fake);
    }

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
    ESerialFault GetLastFault() const override { return m_fake.GetLastFault(); }

private:
    CFakeSerialPort& m_fake;
};
