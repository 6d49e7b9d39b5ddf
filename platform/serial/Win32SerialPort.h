#pragma once

#include "SerialPort.h"

#include <string>

// The Windows backend: the communications API, ordinary blocking handles.
// The platform gives everything the interface asks for (share mode 0 for
// exclusive access, COMMTIMEOUTS for the read time-outs), so this class
// mostly passes calls through. The line settings and time-outs found at
// open are put back on close.
class CWin32SerialPort final : public CSerialPort
{
public:
    CWin32SerialPort() = default;
    CWin32SerialPort(const CWin32SerialPort&) = delete;
    CWin32SerialPort& operator=(const CWin32SerialPort&) = delete;
    ~CWin32SerialPort() override { Close(); }

    bool Open(const std::string& strDevice) override;
    bool IsOpen() const override { return m_pHandle != nullptr; }
    bool Configure(const CSerialSettings& settings) override;
    bool SetReadTimeouts(const CReadTimeouts& timeouts) override;
    long long Write(const void* pData, std::size_t nCount) override;
    long long Read(void* pBuffer, std::size_t nCount) override;
    bool Purge(unsigned nFlags) override;
    bool Close() override;

private:
    // Sets the error to "<device>: <what>: <the system's text>"; returns false.
    bool Fail(const std::string& strWhat, ESerialFault eFault = ESerialFault::Other);
    // Fail() for the calls that return a count: -1.
    long long Failed(const std::string& strWhat);

    void* m_pHandle = nullptr; // the HANDLE; nullptr when closed
    std::string m_strDevice;
    // What the port had at open (a DCB and a COMMTIMEOUTS, kept as bytes so
    // that this header needs no system header); empty when unknown.
    std::string m_strFoundState;
    std::string m_strFoundTimeouts;
};
