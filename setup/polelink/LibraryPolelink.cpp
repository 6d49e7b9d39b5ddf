#include "LibraryPolelink.h"

void CLibraryPolelink::OpenComm()
{
    ::OpenComm();
}

void CLibraryPolelink::CloseComm()
{
    ::CloseComm();
}

void CLibraryPolelink::WirteStrData(const char* pData, int nLength)
{
    ::WirteStrData(pData, nLength);
}

void CLibraryPolelink::Init()
{
    ::Init();
}

int CLibraryPolelink::UpdateFontLib(const std::string& strPath, unsigned long dwArea,
                                    unsigned long dwPage)
{
    return ::UpdateFontLib(strPath.c_str(), dwArea, dwPage);
}
