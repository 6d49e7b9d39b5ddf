#pragma once

#include "Polelink.h"

// The seam over the library the program is linked against.
class CLibraryPolelink final : public CPolelink
{
public:
    void OpenComm() override;
    void CloseComm() override;
    void WirteStrData(const char* pData, int nLength) override;
    void Init() override;
    int UpdateFontLib(const std::string& strPath, unsigned long dwArea,
                      unsigned long dwPage) override;
    std::string LastErrorText() override;
};
