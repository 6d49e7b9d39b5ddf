#include "Win32SerialPort.h"

#include <algorithm>
#include <cstring>
#include <windows.h>

namespace
{
HANDLE AsHandle(void* p)
{
    return static_cast<HANDLE>(p);
}

std::string SystemMessage(DWORD nError)
{
    char szText[256] = {};
    const DWORD nLength = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                         nullptr, nError, 0, szText, sizeof szText, nullptr);
    std::string text(szText, nLength);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(nError) : text;
}
} // namespace

bool CWin32SerialPort::Fail(const std::string& strWhat, ESerialFault eFault)
{
    const DWORD nError = ::GetLastError();
    std::string strText = m_strDevice + ": " + strWhat;
    if (nError != ERROR_SUCCESS)
        strText += ": " + SystemMessage(nError);
    SetLastError(eFault, std::move(strText));
    return false;
}

long long CWin32SerialPort::Failed(const std::string& strWhat)
{
    Fail(strWhat);
    return -1;
}

bool CWin32SerialPort::Open(const std::string& strDevice)
{
    if (IsOpen())
    {
        SetLastError(ESerialFault::Other, m_strDevice + ": the port is already open");
        return false;
    }
    m_strDevice = strDevice;
    ClearLastError();
    // Share mode 0: nobody else may open the port while we hold it.
    HANDLE hPort = ::CreateFileA(strDevice.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (hPort == INVALID_HANDLE_VALUE)
    {
        switch (::GetLastError())
        {
        // A COM port refuses a second opener with "access denied".
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return Fail("the port is in use by another program", ESerialFault::Busy);
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return Fail("no such port", ESerialFault::NoDevice);
        default:
            return Fail("cannot open");
        }
    }
    // Only a communications device has line settings. Nothing is changed
    // here: what changes is each program's choice (Configure).
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(hPort, &dcb))
    {
        Fail("not a serial device", ESerialFault::NotSerial);
        ::CloseHandle(hPort);
        return false;
    }
    m_strFoundState.assign(reinterpret_cast<const char*>(&dcb), sizeof dcb);
    COMMTIMEOUTS ct{};
    if (::GetCommTimeouts(hPort, &ct))
        m_strFoundTimeouts.assign(reinterpret_cast<const char*>(&ct), sizeof ct);
    else
        m_strFoundTimeouts.clear();
    m_pHandle = hPort;
    return true;
}

bool CWin32SerialPort::Configure(const CSerialSettings& settings)
{
    if (!IsOpen())
        return Fail("the port is not open");
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(AsHandle(m_pHandle), &dcb))
        return Fail("cannot read the line settings");
    dcb.BaudRate = settings.m_nBaudRate;
    dcb.ByteSize = settings.m_nDataBits;
    dcb.Parity = settings.m_nParity;
    dcb.StopBits = ONESTOPBIT;
    if (!settings.m_bKeepLineControl)
    {
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fNull = FALSE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        dcb.fAbortOnError = FALSE;
    }
    if (!::SetCommState(AsHandle(m_pHandle), &dcb))
        return Fail("the port rejects the line settings");
    return true;
}

bool CWin32SerialPort::SetReadTimeouts(const CReadTimeouts& timeouts)
{
    if (!IsOpen())
        return Fail("the port is not open");
    // No write time-outs: a write waits until every byte is sent.
    COMMTIMEOUTS ct{};
    ct.ReadIntervalTimeout = timeouts.m_nIntervalMs;
    ct.ReadTotalTimeoutMultiplier = timeouts.m_nTotalPerByteMs;
    ct.ReadTotalTimeoutConstant = timeouts.m_nTotalConstantMs;
    if (!::SetCommTimeouts(AsHandle(m_pHandle), &ct))
        return Fail("cannot set the read time-outs");
    return true;
}

long long CWin32SerialPort::Write(const void* pData, std::size_t nCount)
{
    if (!IsOpen())
        return Failed("the port is not open");
    const DWORD nAsk = static_cast<DWORD>(std::min<std::size_t>(nCount, MAXDWORD));
    DWORD nWritten = 0;
    if (!::WriteFile(AsHandle(m_pHandle), pData, nAsk, &nWritten, nullptr))
        return Failed("cannot write");
    return nWritten;
}

long long CWin32SerialPort::Read(void* pBuffer, std::size_t nCount)
{
    if (!IsOpen())
        return Failed("the port is not open");
    const DWORD nAsk = static_cast<DWORD>(std::min<std::size_t>(nCount, MAXDWORD));
    DWORD nRead = 0;
    if (!::ReadFile(AsHandle(m_pHandle), pBuffer, nAsk, &nRead, nullptr))
        return Failed("cannot read");
    return nRead;
}

bool CWin32SerialPort::Purge(unsigned nFlags)
{
    if (!IsOpen())
        return Fail("the port is not open");
    if (!::PurgeComm(AsHandle(m_pHandle), nFlags))
        return Fail("cannot clear the queues");
    return true;
}

bool CWin32SerialPort::Close()
{
    if (!IsOpen())
        return false;
    // The next user of the port finds it as this one did.
    if (m_strFoundState.size() == sizeof(DCB))
    {
        DCB dcb{};
        std::memcpy(&dcb, m_strFoundState.data(), sizeof dcb);
        ::SetCommState(AsHandle(m_pHandle), &dcb);
    }
    if (m_strFoundTimeouts.size() == sizeof(COMMTIMEOUTS))
    {
        COMMTIMEOUTS ct{};
        std::memcpy(&ct, m_strFoundTimeouts.data(), sizeof ct);
        ::SetCommTimeouts(AsHandle(m_pHandle), &ct);
    }
    const BOOL bClosed = ::CloseHandle(AsHandle(m_pHandle));
    m_pHandle = nullptr;
    if (!bClosed)
        return Fail("cannot close");
    return true;
}
