#include "SerialPort.h"

#include <cstdlib>

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
    // The variable is honoured everywhere: it is how a virtual display or
    // an adapter with another name stands in for a numbered port.
    const std::string strVariable = "VFDKIT_COM" + std::to_string(nPort);
    if (const char* pszDevice = std::getenv(strVariable.c_str()); pszDevice && *pszDevice)
        return pszDevice;
#ifdef _WIN32
    // The device namespace prefix reaches COM10 and above as well.
    return "\\\\.\\COM" + std::to_string(nPort);
#else
    if (nPort == 0)
        return {}; // COM ports count from 1: there is no COM0
    return "/dev/ttyS" + std::to_string(nPort - 1);
#endif
}
