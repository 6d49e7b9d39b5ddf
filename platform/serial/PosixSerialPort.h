#pragma once

#include "SerialPort.h"

#include <string>
#include <termios.h>

// The termios backend. Exclusive access is taken twice over: flock() keeps
// out every other program that locks the device as we do (also one running
// as root, which TIOCEXCL lets through), and TIOCEXCL keeps out the plain
// open() of programs that do not lock. Read time-outs are timed with poll(),
// because VMIN/VTIME cannot express a total time-out for the whole read.
// The terminal's settings as found at open are put back on close: they
// belong to whoever uses the line next.
class CPosixSerialPort final : public CSerialPort
{
public:
    CPosixSerialPort() = default;
    CPosixSerialPort(const CPosixSerialPort&) = delete;
    CPosixSerialPort& operator=(const CPosixSerialPort&) = delete;
    ~CPosixSerialPort() override { Close(); }

    bool Open(const std::string& strDevice) override;
    bool IsOpen() const override { return m_nFd >= 0; }
    bool Configure(const CSerialSettings& settings) override;
    bool SetReadTimeouts(const CReadTimeouts& timeouts) override;
    long long Write(const void* pData, std::size_t nCount) override;
    long long Read(void* pBuffer, std::size_t nCount) override;
    bool Purge(unsigned nFlags) override;
    bool Close() override;

private:
    // Sets the error to "<device>: <what>[: <errno text>]"; returns false.
    bool Fail(const std::string& strWhat, int nErrno = 0);
    bool Fail(ESerialFault eFault, const std::string& strWhat, int nErrno = 0);
    bool FailNotOpen();
    // Fail() for the calls that return a count: -1.
    long long Failed(const std::string& strWhat, int nErrno = 0);

    int m_nFd = -1;
    std::string m_strDevice;
    CReadTimeouts m_timeouts;
    termios m_found{}; // the settings at open
};
