#include "ComPort.h"

#include "PortMap.h"

#include <chrono>
#include <utility>
#include <vector>

namespace
{
// The ports this process has open; a handle is an index. Slots are reused
// after a close, as the platform reuses handle values.
std::vector<std::unique_ptr<CSerialPort>>& Ports()
{
    static std::vector<std::unique_ptr<CSerialPort>> s_ports;
    return s_ports;
}

ComPortFactory& Factory()
{
    static ComPortFactory s_factory = CreateSerialPort;
    return s_factory;
}

int AddPort(std::unique_ptr<CSerialPort> pPort)
{
    auto& ports = Ports();
    for (std::size_t i = 0; i < ports.size(); ++i)
        if (!ports[i])
        {
            ports[i] = std::move(pPort);
            return static_cast<int>(i);
        }
    ports.push_back(std::move(pPort));
    return static_cast<int>(ports.size() - 1);
}
} // namespace

CSerialPort* FindComPort(int hPort)
{
    const auto& ports = Ports();
    if (hPort < 0 || static_cast<std::size_t>(hPort) >= ports.size())
        return nullptr;
    return ports[static_cast<std::size_t>(hPort)].get();
}

CComPortFactoryScope::CComPortFactoryScope(ComPortFactory factory)
    : m_previous(std::exchange(Factory(), std::move(factory)))
{
}

CComPortFactoryScope::~CComPortFactoryScope()
{
    Factory() = std::move(m_previous);
}

int OpenComPort(int nPort, std::uint32_t nBaudRate, std::string* pCause)
{
    const auto fail = [pCause](std::string strCause)
    {
        if (pCause)
            *pCause = std::move(strCause);
        return kInvalidComPort;
    };
    // The port name holds a single digit: "COM1:" to "COM9:".
    if (nPort < 1 || nPort > 9)
        return fail("COM" + std::to_string(nPort) + ": only COM1 to COM9 can be reached");
    std::unique_ptr<CSerialPort> pPort = Factory()();
    if (!pPort)
        return fail("COM" + std::to_string(nPort) + ": no port can be made");
    const CPortResolution resolution = ResolveComPort(static_cast<unsigned>(nPort));
    if (!pPort->Open(resolution.m_strDevice))
        return fail(ComPortOpenError(static_cast<unsigned>(nPort), resolution, *pPort));
    if (!pPort->Configure(CSerialSettings{nBaudRate, 0, 8}) ||
        !pPort->SetReadTimeouts(kComPortTimeouts) || !pPort->Purge(PURGE_TXCLEAR | PURGE_RXCLEAR))
    {
        std::string strCause = pPort->GetLastError();
        pPort->Close();
        return fail(std::move(strCause));
    }
    return AddPort(std::move(pPort));
}

long long WriteComPort(int hPort, const std::uint8_t* pData, std::size_t nCount)
{
    CSerialPort* pPort = FindComPort(hPort);
    return pPort ? pPort->Write(pData, nCount) : -1;
}

long long ReadComPort(int hPort, std::uint8_t* pBuffer, std::size_t nCount)
{
    CSerialPort* pPort = FindComPort(hPort);
    return pPort ? pPort->Read(pBuffer, nCount) : -1;
}

void CloseComPort(int hPort)
{
    CSerialPort* pPort = FindComPort(hPort);
    if (!pPort)
        return;
    pPort->Purge(PURGE_TXCLEAR | PURGE_RXCLEAR);
    pPort->Close();
    Ports()[static_cast<std::size_t>(hPort)].reset();
}

std::uint8_t XorChecksum(const std::uint8_t* pData, std::size_t nCount)
{
    std::uint8_t nSum = 0;
    for (std::size_t i = 0; i < nCount; ++i)
        nSum ^= pData[i];
    return nSum;
}

int ReadReply(int hPort, std::uint8_t* pBuffer, CClock& clock)
{
    for (int nAttempt = 0; nAttempt < 10; ++nAttempt)
    {
        clock.Sleep(std::chrono::milliseconds(500));
        const long long nRead = ReadComPort(hPort, pBuffer, 5);
        if (nRead > 0)
            return static_cast<int>(nRead);
    }
    return 0;
}
