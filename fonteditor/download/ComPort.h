#pragma once

#include "Clock.h"
#include "SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The editor's serial functions: plain calls on a port handle. A handle is a
// small number naming a port this process has open; -1 names none. The
// programs use them from one thread.

inline constexpr int kInvalidComPort = -1;

// The editor's line: 8 data bits, no parity, one stop bit; at most 50 ms
// between two bytes and 1 ms a byte plus 50 ms for a whole read.
inline constexpr CReadTimeouts kComPortTimeouts{50, 1, 50};

// Opens and configures COM port nPort (1 to 9) at nBaudRate: line settings,
// then time-outs, then both queues cleared. -1 when the number is out of
// range or any step fails, with the cause in *pCause when given; a port
// that failed is closed again.
int OpenComPort(int nPort, std::uint32_t nBaudRate, std::string* pCause = nullptr);
// Bytes written, or -1 for the invalid handle or a failed write.
long long WriteComPort(int hPort, const std::uint8_t* pData, std::size_t nCount);
// Bytes read (0 when the time-outs ran out first), or -1 for the invalid
// handle or a failed read.
long long ReadComPort(int hPort, std::uint8_t* pBuffer, std::size_t nCount);
// Clears both queues and closes the port; -1 is ignored.
void CloseComPort(int hPort);
// XOR of the bytes; 0 for none.
std::uint8_t XorChecksum(const std::uint8_t* pData, std::size_t nCount);
// Up to 10 attempts, each a 500 ms pause and then a read of up to 5 bytes
// into the start of pBuffer: the count of the first attempt that received
// anything, or 0. A failed read counts as an attempt that received nothing.
int ReadReply(int hPort, std::uint8_t* pBuffer, CClock& clock = CClock::Real());

// The port behind a handle, nullptr when it names none.
CSerialPort* FindComPort(int hPort);

// Where OpenComPort gets its port objects: the platform's by default. A test
// puts its own factory in place for the life of a scope object.
using ComPortFactory = std::function<std::unique_ptr<CSerialPort>()>;

class CComPortFactoryScope
{
public:
    explicit CComPortFactoryScope(ComPortFactory factory);
    ~CComPortFactoryScope();
    CComPortFactoryScope(const CComPortFactoryScope&) = delete;
    CComPortFactoryScope& operator=(const CComPortFactoryScope&) = delete;

private:
    ComPortFactory m_previous;
};
