#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

// One serial port, as the programs use it: opened exclusively, raw 8-bit
// data, the caller's rate and parity, one stop bit, no flow control, read
// time-outs as each program defines them.

// Parity codes are the platform's numbers: 0 none, 1 odd, 2 even, 3 mark, 4 space.
struct CSerialSettings
{
    std::uint32_t m_nBaudRate = 9600;
    std::uint8_t m_nParity = 0;
    std::uint8_t m_nDataBits = 8;
    // Always one stop bit. Otherwise the line is set up raw: binary, no
    // parity checking, no hardware or software flow control, DTR and RTS
    // not driven. With m_bKeepLineControl only rate, parity, data bits and
    // stop bits change, and flow control, modem lines and special characters
    // stay as the port reports them (the driver library's way). The POSIX
    // backend is raw either way: a terminal's own settings are a line
    // discipline that would alter the bytes.
    bool m_bKeepLineControl = false;

    bool operator==(const CSerialSettings&) const = default;
};

// Read time-outs with the platform's meaning: at most m_nIntervalMs between
// two bytes, and at most m_nTotalPerByteMs × count + m_nTotalConstantMs for
// the whole read; a zero leaves that limit out. All zero: no time-outs, a
// read returns only when every byte asked for has arrived.
struct CReadTimeouts
{
    std::uint32_t m_nIntervalMs = 0;
    std::uint32_t m_nTotalPerByteMs = 0;
    std::uint32_t m_nTotalConstantMs = 0;

    bool operator==(const CReadTimeouts&) const = default;
};

// What kind of failure the last one was, for callers that act on it; the
// text (GetLastError) says it to the user.
enum class ESerialFault
{
    None,
    Other,
    NoDevice,  // nothing at the device path (or no port of that name)
    Denied,    // the user may not open the device
    Busy,      // another program holds the port
    NotSerial, // it opened, but it is no serial line (a file, a folder...)
};

struct CSerialError
{
    ESerialFault m_eFault = ESerialFault::None;
    std::string m_strText;
};

// The platform's purge flags.
inline constexpr unsigned PURGE_TXABORT = 0x1;
inline constexpr unsigned PURGE_RXABORT = 0x2;
inline constexpr unsigned PURGE_TXCLEAR = 0x4;
inline constexpr unsigned PURGE_RXCLEAR = 0x8;

class CSerialPort
{
public:
    virtual ~CSerialPort() = default;

    // Opens the device for reading and writing, exclusively: a port another
    // program holds does not open. The line is put in raw mode; Close puts
    // back the settings it had.
    virtual bool Open(const std::string& strDevice) = 0;
    virtual bool IsOpen() const = 0;
    // Reads the port's current line settings and applies rate, parity and
    // data bits over them; false when the port rejects them.
    virtual bool Configure(const CSerialSettings& settings) = 0;
    virtual bool SetReadTimeouts(const CReadTimeouts& timeouts) = 0;
    // Bytes written, -1 on failure. Blocks until they are handed to the line.
    virtual long long Write(const void* pData, std::size_t nCount) = 0;
    // Bytes read within the time-outs (0 when none arrived), -1 on failure.
    virtual long long Read(void* pBuffer, std::size_t nCount) = 0;
    // Clears or abandons the transmit and receive queues (PURGE_* flags).
    virtual bool Purge(unsigned nFlags) = 0;
    // False when the platform reported a failed close; closed either way.
    virtual bool Close() = 0;
    // The cause of the last failure, naming the device.
    const std::string& GetLastError() const { return m_lastError.m_strText; }
    ESerialFault GetLastFault() const { return m_lastError.m_eFault; }

protected:
    // Each port sets it where a call fails, and clears it at Open.
    void SetLastError(ESerialFault eFault, std::string strText)
    {
        m_lastError = {eFault, std::move(strText)};
    }
    void ClearLastError() { m_lastError = {}; }

private:
    CSerialError m_lastError;
};

// The platform's serial port: termios on POSIX, the communications API on Windows.
std::unique_ptr<CSerialPort> CreateSerialPort();

// The device of COM port n through the port map (PortMap.h): the variable
// VFDKIT_COM<n>, the user's and the system's map, otherwise /dev/ttyS<n-1>;
// on Windows the COM name itself.
std::string ComPortDevice(unsigned nPort);
