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
