#include "Vf620Module.h"

#include "UserInterface.h"

#include <vector>

#if defined(_WIN32)
#include <windows.h>
// The seam's MessageBox, not the window system's macro of that name.
#undef MessageBox
#else
#include <dlfcn.h>
#include <link.h>
#endif

namespace
{
// The library calls this with the context given to VF620_SetMessageHook.
void VF620_API ShowLibraryMessage(const char* pszText, void* pContext)
{
    // Nothing may unwind into the library's C frames.
    try
    {
        static_cast<CUserInterface*>(pContext)->MessageBox(pszText ? pszText : "");
    }
    catch (...)
    {
    }
}

std::string ListMissing(const std::vector<const CVf620Ordinal*>& missing)
{
    std::string strList = missing.size() == 1 ? "ordinal " : "ordinals ";
    for (std::size_t i = 0; i < missing.size(); ++i)
    {
        if (i > 0)
            strList += i + 1 == missing.size() ? " and " : ", ";
        strList += std::to_string(missing[i]->m_nOrdinal) + " (" + missing[i]->m_pszName + ")";
    }
    return strList;
}

template <typename F>
void Take(VF620_PROC pfnProc, F& pfnTarget)
{
    pfnTarget = reinterpret_cast<F>(pfnProc);
}
} // namespace

std::unique_ptr<CBoundVf620Calls>
CBoundVf620Calls::Bind(const Lookup& lookup, decltype(&VF620_SetMessageHook) pfnSetHook,
                       std::string& strMissing, decltype(&VF620_GetLastErrorText) pfnLastErrorText)
{
    std::unique_ptr<CBoundVf620Calls> pCalls(new CBoundVf620Calls);
    std::vector<const CVf620Ordinal*> missing;
    VF620_PROC procs[std::size(kPagewingOrdinals)] = {};
    for (std::size_t i = 0; i < std::size(kPagewingOrdinals); ++i)
    {
        procs[i] = lookup(kPagewingOrdinals[i].m_nOrdinal);
        if (!procs[i])
            missing.push_back(&kPagewingOrdinals[i]);
    }
    if (!missing.empty())
    {
        strMissing = ListMissing(missing);
        return nullptr;
    }
    Take(procs[0], pCalls->m_pfnOpenDComm);
    Take(procs[1], pCalls->m_pfnSendDStr);
    Take(procs[2], pCalls->m_pfnCloseDComm);
    Take(procs[3], pCalls->m_pfnClearDisplay);
    Take(procs[4], pCalls->m_pfnDownLoadFile);
    Take(procs[5], pCalls->m_pfnDownLoadFileSinglePage);
    pCalls->m_pfnSetMessageHook = pfnSetHook;
    pCalls->m_pfnLastErrorText = pfnLastErrorText;
    return pCalls;
}

std::int32_t CBoundVf620Calls::OpenDComm(std::int32_t nPort, std::int32_t nParity,
                                         std::int32_t nBaud)
{
    return m_pfnOpenDComm(nPort, nParity, nBaud);
}

std::int32_t CBoundVf620Calls::SendDStr(const void* pData, std::uint32_t nCount)
{
    return m_pfnSendDStr(pData, nCount);
}

std::int32_t CBoundVf620Calls::CloseDComm()
{
    return m_pfnCloseDComm();
}

std::int32_t CBoundVf620Calls::ClearDisplay()
{
    return m_pfnClearDisplay();
}

std::int32_t CBoundVf620Calls::DownLoadFile(const char* pszPath, std::uint32_t dwArea)
{
    return m_pfnDownLoadFile(pszPath, dwArea);
}

std::int32_t CBoundVf620Calls::DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                                      std::int32_t nPage)
{
    return m_pfnDownLoadFileSinglePage(pszPath, dwArea, nPage);
}

std::string CBoundVf620Calls::LastErrorText()
{
    const char* pszText = m_pfnLastErrorText ? m_pfnLastErrorText() : nullptr;
    return pszText ? pszText : "";
}

void CBoundVf620Calls::SetMessageHook(CUserInterface* pUi)
{
    if (!m_pfnSetMessageHook)
        return;
    if (pUi)
        m_pfnSetMessageHook(&ShowLibraryMessage, pUi);
    else
        m_pfnSetMessageHook(nullptr, nullptr);
}

#if defined(_WIN32)

const char* CVf620Module::DefaultName()
{
    return "VF620.dll";
}

void CVf620Module::CCloser::operator()(void* hModule) const
{
    ::FreeLibrary(static_cast<HMODULE>(hModule));
}

CVf620Calls* CVf620Module::Load(const std::string& strName, std::string& strError)
{
    HMODULE hModule = ::LoadLibraryA(strName.c_str());
    if (!hModule)
    {
        strError = "the driver library " + strName + " cannot be loaded (error " +
                   std::to_string(::GetLastError()) + ").";
        return nullptr;
    }
    m_hModule.reset(hModule);
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(hModule, szPath, MAX_PATH);
    // The DLL's own ordinals, as its export table numbers them.
    const auto lookup = [hModule](std::int32_t nOrdinal)
    {
        return reinterpret_cast<VF620_PROC>(
            ::GetProcAddress(hModule, MAKEINTRESOURCEA(static_cast<WORD>(nOrdinal))));
    };
    const auto pfnSetHook = reinterpret_cast<decltype(&VF620_SetMessageHook)>(
        reinterpret_cast<VF620_PROC>(::GetProcAddress(hModule, "VF620_SetMessageHook")));
    const auto pfnLastErrorText = reinterpret_cast<decltype(&VF620_GetLastErrorText)>(
        reinterpret_cast<VF620_PROC>(::GetProcAddress(hModule, "VF620_GetLastErrorText")));
    std::string strMissing;
    m_pCalls = CBoundVf620Calls::Bind(lookup, pfnSetHook, strMissing, pfnLastErrorText);
    if (!m_pCalls)
    {
        strError = "the driver library " + std::string(szPath) + " lacks " + strMissing + ".";
        m_hModule.reset();
        return nullptr;
    }
    return m_pCalls.get();
}

#else

const char* CVf620Module::DefaultName()
{
    return VF620_SONAME;
}

void CVf620Module::CCloser::operator()(void* hModule) const
{
    ::dlclose(hModule);
}

CVf620Calls* CVf620Module::Load(const std::string& strName, std::string& strError)
{
    void* hModule = ::dlopen(strName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!hModule)
    {
        const char* pszCause = ::dlerror();
        strError = "the driver library " + strName + " cannot be loaded.\n" +
                   (pszCause ? pszCause : "") +
                   "\nIt is looked for in the folders of LD_LIBRARY_PATH, in ../lib beside "
                   "the program, and in the system's library folders.";
        return nullptr;
    }
    m_hModule.reset(hModule);
    std::string strPath = strName;
    if (link_map* pMap = nullptr;
        ::dlinfo(hModule, RTLD_DI_LINKMAP, &pMap) == 0 && pMap && pMap->l_name && *pMap->l_name)
        strPath = pMap->l_name;

    // Linux has no ordinals: the library hands out its functions by ordinal
    // through its own table.
    const auto pfnGetProc = reinterpret_cast<decltype(&VF620_GetProcByOrdinal)>(
        ::dlsym(hModule, "VF620_GetProcByOrdinal"));
    if (!pfnGetProc)
    {
        strError = "the driver library " + strPath +
                   " has no ordinal table (VF620_GetProcByOrdinal): it is no VF620 library.";
        m_hModule.reset();
        return nullptr;
    }
    const auto pfnSetHook =
        reinterpret_cast<decltype(&VF620_SetMessageHook)>(::dlsym(hModule, "VF620_SetMessageHook"));
    const auto pfnLastErrorText = reinterpret_cast<decltype(&VF620_GetLastErrorText)>(
        ::dlsym(hModule, "VF620_GetLastErrorText"));
    std::string strMissing;
    m_pCalls = CBoundVf620Calls::Bind(pfnGetProc, pfnSetHook, strMissing, pfnLastErrorText);
    if (!m_pCalls)
    {
        strError = "the driver library " + strPath + " lacks " + strMissing + ".";
        m_hModule.reset();
        return nullptr;
    }
    return m_pCalls.get();
}

#endif

CVf620Module::CVf620Module() = default;

// The bound functions go before the library they point into (members in
// reverse order).
CVf620Module::~CVf620Module() = default;
