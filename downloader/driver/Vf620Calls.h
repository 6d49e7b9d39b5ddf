#pragma once

#include <cstdint>
#include <string>

class CUserInterface;

// The six functions of the driver library that Pagewing calls, bound by
// ordinal when the program starts (CVf620Module), and the library's message
// hook. Arguments and results are the library's own (VF620.h); the dialog's
// logic calls nothing else of it.
class CVf620Calls
{
public:
    virtual ~CVf620Calls() = default;

    // [1]
    virtual std::int32_t OpenDComm(std::int32_t nPort, std::int32_t nParity,
                                   std::int32_t nBaud) = 0;
    // [2]
    virtual std::int32_t SendDStr(const void* pData, std::uint32_t nCount) = 0;
    // [3]
    virtual std::int32_t CloseDComm() = 0;
    // [9]
    virtual std::int32_t ClearDisplay() = 0;
    // [40]
    virtual std::int32_t DownLoadFile(const char* pszPath, std::uint32_t dwArea) = 0;
    // [41]
    virtual std::int32_t DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                                std::int32_t nPage) = 0;

    // The library's download messages go to pUi's message boxes (warning
    // icon, the application's title, OK) until another is set; nullptr gives
    // them back to the library (standard error). pUi must outlive its turn.
    virtual void SetMessageHook(CUserInterface* pUi) = 0;

    // The library's cause of its latest failure (VF620_GetLastErrorText);
    // "" when the library keeps none.
    virtual std::string LastErrorText() = 0;
};
