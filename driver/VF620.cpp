// The library's C functions: each hands its arguments to the process-wide
// driver. No exception may cross into a C caller, so each catches all and
// answers 0, the library's failure result.
#include "VF620.h"

#include "ProcessDriver.h"

namespace
{
template <typename F>
std::int32_t Guarded(F&& call) noexcept
{
    try
    {
        return call();
    }
    catch (...)
    {
        return 0;
    }
}

CDriverPort& Port()
{
    return ProcessDriver().m_port;
}

CDisplayCommands& Commands()
{
    return ProcessDriver().m_commands;
}
} // namespace

int32_t VF620_API OpenDComm(int32_t nPort, int32_t nParity, int32_t nBaud)
{
    return Guarded([&] { return Port().OpenDComm(nPort, nParity, nBaud); });
}

int32_t VF620_API CloseDComm(void)
{
    return Guarded([&] { return Port().CloseDComm(); });
}

int32_t VF620_API SendDStr(const void* pData, uint32_t nCount)
{
    return Guarded([&] { return Port().SendDStr(pData, nCount); });
}

int32_t VF620_API ReceiveStr(void* pBuffer, uint32_t nCount)
{
    return Guarded([&] { return Port().ReceiveStr(pBuffer, nCount); });
}

int32_t VF620_API ReceiveStrPrn(void* pBuffer, uint32_t nCount)
{
    return Guarded([&] { return Port().ReceiveStr(pBuffer, nCount); });
}

int32_t VF620_API PurgeComm1(uint32_t nFlags)
{
    return Guarded([&] { return Port().PurgeComm1(nFlags); });
}

int32_t VF620_API SetBaudRate(int32_t nCode)
{
    return Guarded([&] { return Port().SetBaudRate(nCode); });
}

int32_t VF620_API InitDisplay(void)
{
    return Guarded([&] { return Commands().InitDisplay(); });
}

int32_t VF620_API DisplayModal(int32_t n)
{
    return Guarded([&] { return Commands().DisplayModal(n); });
}

int32_t VF620_API SelectMode(int32_t n)
{
    return Guarded([&] { return Commands().SelectMode(n); });
}

int32_t VF620_API InitDisplay1(void)
{
    return Guarded([&] { return Commands().InitDisplay1(); });
}

int32_t VF620_API ClearDisplay(void)
{
    return Guarded([&] { return Commands().ClearDisplay(); });
}

int32_t VF620_API SetDimming(int32_t n)
{
    return Guarded([&] { return Commands().SetDimming(n); });
}

int32_t VF620_API ClearCursorLine(void)
{
    return Guarded([&] { return Commands().ClearCursorLine(); });
}

int32_t VF620_API SetReverse(int32_t n)
{
    return Guarded([&] { return Commands().SetReverse(n); });
}

int32_t VF620_API DisplayStrAt(const void* pText, uint32_t nLength, int32_t nSelector)
{
    return Guarded([&] { return Commands().DisplayStrAt(pText, nLength, nSelector); });
}

int32_t VF620_API MoveCurToLeft(void)
{
    return Guarded([&] { return Commands().MoveCurToLeft(); });
}

int32_t VF620_API MoveCurToRight(void)
{
    return Guarded([&] { return Commands().MoveCurToRight(); });
}

int32_t VF620_API MoveCurDownLine(void)
{
    return Guarded([&] { return Commands().MoveCurDownLine(); });
}

int32_t VF620_API MoveCurUpLine(void)
{
    return Guarded([&] { return Commands().MoveCurUpLine(); });
}

int32_t VF620_API MoveCurToHome(void)
{
    return Guarded([&] { return Commands().MoveCurToHome(); });
}

int32_t VF620_API MoveCurToMLeft(void)
{
    return Guarded([&] { return Commands().MoveCurToMLeft(); });
}

int32_t VF620_API MoveCurToMRight(void)
{
    return Guarded([&] { return Commands().MoveCurToMRight(); });
}

int32_t VF620_API MoveCurToBottom(void)
{
    return Guarded([&] { return Commands().MoveCurToBottom(); });
}

int32_t VF620_API MoveCurToSpePosition(int32_t a, int32_t b)
{
    return Guarded([&] { return Commands().MoveCurToSpePosition(a, b); });
}

int32_t VF620_API SetUserFontSet(int32_t n)
{
    return Guarded([&] { return Commands().SetUserFontSet(n); });
}

int32_t VF620_API SetInterFontSet(int32_t n)
{
    return Guarded([&] { return Commands().SetInterChaSet(n); });
}

int32_t VF620_API CancelUserDfont(int32_t n)
{
    return Guarded([&] { return Commands().CancelUserDfont(n); });
}

int32_t VF620_API SeCanPeriphalDevice(int32_t n)
{
    return Guarded([&] { return Commands().SeCanPeriphalDevice(n); });
}

int32_t VF620_API SelChaCodeTable(int32_t n)
{
    return Guarded([&] { return Commands().SelChaCodeTable(n); });
}

int32_t VF620_API SelectDisMode(int32_t n)
{
    return Guarded([&] { return Commands().SelectDisMode(n); });
}

int32_t VF620_API SetInterForBlink(int32_t n)
{
    return Guarded([&] { return Commands().SetInterForBlink(n); });
}

int32_t VF620_API SetBrightness(int32_t n)
{
    return Guarded([&] { return Commands().SetBrightness(n); });
}

int32_t VF620_API SetWarnAtColumn(int32_t a, int32_t b)
{
    return Guarded([&] { return Commands().SetWarnAtColumn(a, b); });
}

int32_t VF620_API ExeSelfTest(void)
{
    return Guarded([&] { return Commands().ExeSelfTest(); });
}

int32_t VF620_API DefineUserfont(void)
{
    return Guarded([&] { return Commands().DefineUserfont(); });
}

int32_t VF620_API DownLoadFile(const char* pszPath, uint32_t dwArea)
{
    return Guarded([&] { return ProcessDriver().m_download.DownLoadFile(pszPath, dwArea); });
}

int32_t VF620_API DownLoadFileSinglePage(const char* pszPath, uint32_t dwArea, int32_t nPage)
{
    return Guarded(
        [&] { return ProcessDriver().m_download.DownLoadFileSinglePage(pszPath, dwArea, nPage); });
}

// The extensions: reached by name only, outside the ordinal table.
const char* VF620_API VF620_GetLastErrorText(void)
{
    try
    {
        return Port().LastError().c_str();
    }
    catch (...)
    {
        return "";
    }
}

void VF620_API VF620_SetReceiveTimeout(uint32_t nMilliseconds)
{
    Guarded(
        [&]
        {
            Port().SetReceiveTimeout(nMilliseconds);
            return 1;
        });
}

// Ordinals 16 and 31 are second names of the functions of 1 and 29, one
// address each. The Windows DLL gets them from VF620.def instead.
#if !defined(_WIN32)
int32_t VF620_API OpenDComm1(int32_t nPort, int32_t nParity, int32_t nBaud)
    __attribute__((alias("OpenDComm")));
int32_t VF620_API SetInterChaSet(int32_t n) __attribute__((alias("SetInterFontSet")));
#endif
