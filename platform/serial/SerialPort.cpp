#include "SerialPort.h"

#include "NetworkSerialPort.h"
#include "PortMap.h"

#ifdef _WIN32
#include "Win32SerialPort.h"
#else
#include "PosixSerialPort.h"
#endif

namespace
{
std::unique_ptr<CSerialPort> CreateLocalPort()
{
#ifdef _WIN32
    return std::make_unique<CWin32SerialPort>();
#else
    return std::make_unique<CPosixSerialPort>();
#endif
}

// The port a device names: a network address reaches a port server, any
// other name the platform's own port. Chosen anew at each Open, so one
// object serves the programs that keep a port and open it again elsewhere.
class CDeviceSerialPort final : public CSerialPort
{
public:
    bool Open(const std::string& strDevice) override
    {
        if (IsOpen())
            return Track(m_pPort->Open(strDevice)); // the backend refuses it, naming its device
        const bool bNetwork = CNetworkSerialPort::IsNetworkDevice(strDevice);
        if (!m_pPort || bNetwork != (dynamic_cast<CNetworkSerialPort*>(m_pPort.get()) != nullptr))
            m_pPort = bNetwork ? std::make_unique<CNetworkSerialPort>() : CreateLocalPort();
        return Track(m_pPort->Open(strDevice));
    }
    bool IsOpen() const override { return m_pPort && m_pPort->IsOpen(); }
    bool Configure(const CSerialSettings& settings) override
    {
        return Track(Port().Configure(settings));
    }
    bool SetReadTimeouts(const CReadTimeouts& timeouts) override
    {
        return Track(Port().SetReadTimeouts(timeouts));
    }
    long long Write(const void* pData, std::size_t nCount) override
    {
        return Track(Port().Write(pData, nCount));
    }
    long long Read(void* pBuffer, std::size_t nCount) override
    {
        return Track(Port().Read(pBuffer, nCount));
    }
    bool Purge(unsigned nFlags) override { return Track(Port().Purge(nFlags)); }
    bool Close() override { return !m_pPort || Track(m_pPort->Close()); }

private:
    CSerialPort& Port()
    {
        if (!m_pPort)
            m_pPort = CreateLocalPort(); // refuses every call: not open
        return *m_pPort;
    }
    // The backend keeps the cause of its failures; after each call it is ours.
    template <typename T>
    T Track(T result)
    {
        SetLastError(m_pPort->GetLastFault(), m_pPort->GetLastError());
        return result;
    }

    std::unique_ptr<CSerialPort> m_pPort;
};
} // namespace

std::unique_ptr<CSerialPort> CreateSerialPort()
{
    return std::make_unique<CDeviceSerialPort>();
}

std::string ComPortDevice(unsigned nPort)
{
    return ResolveComPort(nPort).m_strDevice;
}
