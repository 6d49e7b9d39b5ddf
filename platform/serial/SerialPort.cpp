#include "SerialPort.h"

#include "PortMap.h"

#ifdef _WIN32
#include "Win32SerialPort.h"
#else
#include "PosixSerialPort.h"
#endif

std::unique_ptr<CSerialPort> CreateSerialPort()
{
#ifdef _WIN32
    return std::make_unique<CWin32SerialPort>();
#else
    return std::make_unique<CPosixSerialPort>();
#endif
}

std::string ComPortDevice(unsigned nPort)
{
    return ResolveComPort(nPort).m_strDevice;
}

std::string ComPortOpenError(unsigned nPort, const CPortResolution& resolution,
                             const CSerialPort& port)
{
    const std::string strPort = "COM" + std::to_string(nPort);
    if (resolution.m_strDevice.empty())
        return strPort + ": no device is set for this port";
    const std::string& strText = port.GetLastError();
    if (port.GetLastFault() != ESerialFault::NoDevice)
        return strText;
    // A missing device is most often a mapping gone stale (an adapter that
    // came back under another name): say which one to mend.
    if (resolution.m_strSource == "VFDKIT_COM" + std::to_string(nPort))
        return strText + " (" + strPort + " is mapped to it by the variable " +
               resolution.m_strSource + ")";
    if (resolution.m_strSource != "default")
        return strText + " (" + strPort + " is mapped to it at " + resolution.m_strSource + ")";
#ifdef _WIN32
    return strText;
#else
    const std::string strMap = UserPortMapPath();
    return strText + " (" + strPort + "'s default device; map " + strPort +
           " to your device with a line \"" + strPort + "=/dev/...\" in " +
           (strMap.empty() ? std::string(SYSTEM_PORT_MAP) : strMap) + " or set VFDKIT_COM" +
           std::to_string(nPort) + ")";
#endif
}
