#pragma once

#include "Clock.h"
#include "PortMap.h"
#include "SerialPort.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The library's one serial port: open and close, the paced sender through
// which every display command goes, the unpaced raw writer for font frames,
// reads, purges and the display's own baud-rate command. Results follow the
// library's rule: 1 success, 0 failure; only the low byte of a byte argument
// counts. Each failure leaves its cause in LastError().
class CDriverPort
{
public:
    // Makes an unopened port; called once for every open.
    using CPortFactory = std::function<std::unique_ptr<CSerialPort>()>;
    // The device of COM port number n, and where that mapping came from.
    using CDeviceNamer = std::function<CPortResolution(unsigned nPort)>;

    // Every byte of a paced send is followed by this much busy waiting.
    static constexpr std::chrono::milliseconds kByteGap{20};

    CDriverPort(CPortFactory portFactory, CDeviceNamer deviceNamer, CClock& clock);

    std::int32_t OpenDComm(std::int32_t nPort, std::int32_t nParity, std::int32_t nBaud);
    std::int32_t CloseDComm();
    std::int32_t SendDStr(const void* pData, std::uint32_t nCount);
    std::int32_t WriteRaw(const void* pData, std::uint32_t nCount);
    std::int32_t ReceiveStr(void* pBuffer, std::uint32_t nCount);
    std::int32_t PurgeComm1(std::uint32_t nFlags);
    std::int32_t SetBaudRate(std::int32_t nCode);

    bool IsOpen() const { return m_pPort != nullptr; }
    CClock& GetClock() { return m_clock; }

    // The cause of the latest failure, naming the device where there is
    // one; "" until something fails. A success leaves it as it is.
    const std::string& LastError() const { return m_strLastError; }
    void SetLastError(std::string strCause) { m_strLastError = std::move(strCause); }
    // A bound on each ReceiveStr's whole read; 0 leaves the read to the
    // port's own time-outs (none on a port just opened).
    void SetReceiveTimeout(std::uint32_t nMilliseconds) { m_nReceiveTimeoutMs = nMilliseconds; }

private:
    // Records the cause; 0, the library's failure.
    std::int32_t Fail(std::string strCause);
    std::int32_t FailNoPort();

    CPortFactory m_portFactory;
    CDeviceNamer m_deviceNamer;
    CClock& m_clock;
    std::unique_ptr<CSerialPort> m_pPort; // null: no port
    std::string m_strDevice;
    std::string m_strLastError;
    std::uint32_t m_nReceiveTimeoutMs = 0;
    bool m_bReceiveBounded = false; // the port has our bound, not its own time-outs
};

// The byte an argument stands for: its low 8 bits.
inline std::uint8_t LowByte(std::int32_t nValue)
{
    return static_cast<std::uint8_t>(nValue & 0xFF);
}
