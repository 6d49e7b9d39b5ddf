#pragma once

#include "PolelinkFunctions.h"

#include <string>

// The seam between the setup utility's logic and the outside serial
// library: one operation per library function, with the same arguments.
// CLibraryPolelink calls the library; tests use CRecordingPolelink.
//
// The program examines no result but UpdateFontLib's, so the others return
// nothing here.
class CPolelink
{
public:
    virtual ~CPolelink() = default;

    virtual void OpenComm() = 0;
    virtual void CloseComm() = 0;
    virtual void WirteStrData(const char* pData, int nLength) = 0;
    virtual void Init() = 0;
    virtual int UpdateFontLib(const std::string& strPath, unsigned long dwArea,
                              unsigned long dwPage) = 0;
    // Why the library's latest call failed, when it says ("" otherwise).
    virtual std::string LastErrorText() = 0;
};
