#include "DriverPort.h"

CDriverPort::CDriverPort(CPortFactory portFactory, CDeviceNamer deviceNamer, CClock& clock)
    : m_portFactory(std::move(portFactory)), m_deviceNamer(std::move(deviceNamer)), m_clock(clock)
{
}

std::int32_t CDriverPort::OpenDComm(std::int32_t nPort, std::int32_t nParity, std::int32_t nBaud)
{
    if (m_pPort)
        return 0;
    const std::string strDevice = m_deviceNamer(LowByte(nPort));
    auto pPort = m_portFactory();
    if (!pPort || !pPort->Open(strDevice))
        return 0;
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
        pPort->Close();
        return 0;
    }
    m_pPort = std::move(pPort);
    return 1;
}

std::int32_t CDriverPort::CloseDComm()
{
    if (!m_pPort)
        return 0;
    const bool bClosed = m_pPort->Close();
    m_pPort.reset();
    return bClosed ? 1 : 0;
}

std::int32_t CDriverPort::SendDStr(const void* pData, std::uint32_t nCount)
{
    if (!m_pPort || (!pData && nCount > 0))
        return 0;
    const auto* pBytes = static_cast<const std::uint8_t*>(pData);
    for (std::uint32_t i = 0; i < nCount; ++i)
    {
        // A write that did not take the byte would lose it silently: that is
        // a failed write too.
        if (m_pPort->Write(pBytes + i, 1) != 1)
            return 0;
        // The display needs the gap whatever the line rate; a sleep could
        // stretch it by a scheduler tick, so the clock busy-waits.
        m_clock.BusyWait(kByteGap);
    }
    return 1;
}

std::int32_t CDriverPort::WriteRaw(const void* pData, std::uint32_t nCount)
{
    if (!m_pPort || (!pData && nCount > 0))
        return 0;
    // A frame only partly written is a failed frame: the display would take
    // the next frame's bytes as the rest of this one.
    return m_pPort->Write(pData, nCount) == static_cast<long long>(nCount) ? 1 : 0;
}

std::int32_t CDriverPort::ReceiveStr(void* pBuffer, std::uint32_t nCount)
{
    if (!m_pPort || !pBuffer)
        return 0;
    return m_pPort->Read(pBuffer, nCount) > 0 ? 1 : 0;
}

std::int32_t CDriverPort::PurgeComm1(std::uint32_t nFlags)
{
    if (!m_pPort)
        return 0;
    return m_pPort->Purge(nFlags) ? 1 : 0;
}

std::int32_t CDriverPort::SetBaudRate(std::int32_t nCode)
{
    const std::uint8_t command[] = {0x02, 0x05, 0x42,
                                    static_cast<std::uint8_t>(0x30 + LowByte(nCode)), 0x03};
    return SendDStr(command, sizeof command);
}
