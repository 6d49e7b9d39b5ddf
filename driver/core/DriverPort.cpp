#include "DriverPort.h"

CDriverPort::CDriverPort(CPortFactory portFactory, CDeviceNamer deviceNamer, CClock& clock)
    : m_portFactory(std::move(portFactory)), m_deviceNamer(std::move(deviceNamer)), m_clock(clock)
{
}

std::int32_t CDriverPort::Fail(std::string strCause)
{
    m_strLastError = std::move(strCause);
    return 0;
}

std::int32_t CDriverPort::FailNoPort()
{
    return Fail("no port is open");
}

std::int32_t CDriverPort::OpenDComm(std::int32_t nPort, std::int32_t nParity, std::int32_t nBaud)
{
    if (m_pPort)
        return Fail(m_strDevice + ": a port is already open; close it first");
    const unsigned nNumber = LowByte(nPort);
    const CPortResolution resolution = m_deviceNamer(nNumber);
    auto pPort = m_portFactory();
    if (!pPort)
        return Fail("COM" + std::to_string(nNumber) + ": no port can be made");
    if (!pPort->Open(resolution.m_strDevice))
        return Fail(ComPortOpenError(nNumber, resolution, *pPort));
    // Only rate, parity, data bits and stop bits change; flow control and
    // the rest stay as the port has them. Read time-outs are deliberately
    // left alone too: callers of ReceiveStr rely on the port's own, which on
    // a freshly opened port means none (reads wait for every byte).
    CSerialSettings settings;
    settings.m_nBaudRate = static_cast<std::uint32_t>(nBaud);
    settings.m_nParity = LowByte(nParity);
    settings.m_nDataBits = 8;
    settings.m_bKeepLineControl = true;
    if (!pPort->Configure(settings))
    {
        std::string strCause = pPort->GetLastError();
        pPort->Close();
        return Fail(std::move(strCause));
    }
    m_pPort = std::move(pPort);
    m_strDevice = resolution.m_strDevice;
    m_bReceiveBounded = false;
    return 1;
}

std::int32_t CDriverPort::CloseDComm()
{
    if (!m_pPort)
        return FailNoPort();
    const bool bClosed = m_pPort->Close();
    std::string strCause = m_pPort->GetLastError();
    m_pPort.reset();
    return bClosed ? 1 : Fail(std::move(strCause));
}

std::int32_t CDriverPort::SendDStr(const void* pData, std::uint32_t nCount)
{
    if (!m_pPort)
        return FailNoPort();
    if (!pData && nCount > 0)
        return Fail("no bytes to send: a null pointer for " + std::to_string(nCount) + " bytes");
    const auto* pBytes = static_cast<const std::uint8_t*>(pData);
    for (std::uint32_t i = 0; i < nCount; ++i)
    {
        // A write that did not take the byte would lose it silently: that is
        // a failed write too.
        if (m_pPort->Write(pBytes + i, 1) != 1)
            return Fail(m_pPort->GetLastError().empty()
                            ? m_strDevice + ": the line did not take byte " + std::to_string(i + 1)
                            : m_pPort->GetLastError());
        // The display needs the gap whatever the line rate; a sleep could
        // stretch it by a scheduler tick, so the clock busy-waits.
        m_clock.BusyWait(kByteGap);
    }
    return 1;
}

std::int32_t CDriverPort::WriteRaw(const void* pData, std::uint32_t nCount)
{
    if (!m_pPort)
        return FailNoPort();
    if (!pData && nCount > 0)
        return Fail("no bytes to send: a null pointer for " + std::to_string(nCount) + " bytes");
    // A frame only partly written is a failed frame: the display would take
    // the next frame's bytes as the rest of this one.
    const long long nWritten = m_pPort->Write(pData, nCount);
    if (nWritten == static_cast<long long>(nCount))
        return 1;
    return Fail(nWritten < 0 ? m_pPort->GetLastError()
                             : m_strDevice + ": only " + std::to_string(nWritten) + " of " +
                                   std::to_string(nCount) + " bytes went out");
}

std::int32_t CDriverPort::ReceiveStr(void* pBuffer, std::uint32_t nCount)
{
    if (!m_pPort)
        return FailNoPort();
    if (!pBuffer)
        return Fail("no buffer to receive into");
    // The bound is one total time-out for the whole read. Without it the
    // port's own time-outs rule, which the library never sets: none.
    if (m_nReceiveTimeoutMs != 0 || m_bReceiveBounded)
    {
        if (!m_pPort->SetReadTimeouts(CReadTimeouts{0, 0, m_nReceiveTimeoutMs}))
            return Fail(m_pPort->GetLastError());
        m_bReceiveBounded = m_nReceiveTimeoutMs != 0;
    }
    const long long nRead = m_pPort->Read(pBuffer, nCount);
    if (nRead > 0)
        return 1;
    if (nRead < 0)
        return Fail(m_pPort->GetLastError());
    return Fail(m_strDevice + ": no byte arrived" +
                (m_nReceiveTimeoutMs != 0 ? " within " + std::to_string(m_nReceiveTimeoutMs) + " ms"
                                          : std::string()));
}

std::int32_t CDriverPort::PurgeComm1(std::uint32_t nFlags)
{
    if (!m_pPort)
        return FailNoPort();
    return m_pPort->Purge(nFlags) ? 1 : Fail(m_pPort->GetLastError());
}

std::int32_t CDriverPort::SetBaudRate(std::int32_t nCode)
{
    const std::uint8_t command[] = {0x02, 0x05, 0x42,
                                    static_cast<std::uint8_t>(0x30 + LowByte(nCode)), 0x03};
    return SendDStr(command, sizeof command);
}
