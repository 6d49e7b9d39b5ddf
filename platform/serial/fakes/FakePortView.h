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

    bool Open(const std::string& strDevice) override { return Track(m_fake.Open(strDevice)); }
    bool IsOpen() const override { return m_fake.IsOpen(); }
    bool Configure(const CSerialSettings& settings) override
    {
        return Track(m_fake.Configure(settings));
    }
    bool SetReadTimeouts(const CReadTimeouts& timeouts) override
    {
        return Track(m_fake.SetReadTimeouts(timeouts));
    }
    long long Write(const void* pData, std::size_t nCount) override
    {
        return Track(m_fake.Write(pData, nCount));
    }
    long long Read(void* pBuffer, std::size_t nCount) override
    {
        return Track(m_fake.Read(pBuffer, nCount));
    }
    bool Purge(unsigned nFlags) override { return Track(m_fake.Purge(nFlags)); }
    bool Close() override { return Track(m_fake.Close()); }

private:
    // The fake keeps the cause of its failures; after each call it is the view's.
    template <typename T>
    T Track(T result)
    {
        SetLastError(m_fake.GetLastFault(), m_fake.GetLastError());
        return result;
    }

    CFakeSerialPort& m_fake;
};
