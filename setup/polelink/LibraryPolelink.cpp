#include "LibraryPolelink.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

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

std::string CLibraryPolelink::LastErrorText()
{
    // Looked up in the library the program was linked against, which may
    // be the maker's own, without it.
#if defined(_WIN32)
    const HMODULE hLibrary = ::GetModuleHandleA("Polelink.dll");
    const auto pfnText = hLibrary
                             ? reinterpret_cast<PolelinkLastErrorTextProc>(reinterpret_cast<void*>(
                                   ::GetProcAddress(hLibrary, kPolelinkLastErrorTextName)))
                             : nullptr;
#else
    const auto pfnText = reinterpret_cast<PolelinkLastErrorTextProc>(
        ::dlsym(RTLD_DEFAULT, kPolelinkLastErrorTextName));
#endif
    const char* pszText = pfnText ? pfnText() : nullptr;
    return pszText ? pszText : "";
}
