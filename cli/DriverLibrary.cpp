#include "DriverLibrary.h"

#include "Command.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <strings.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace
{
#ifdef _WIN32
constexpr const char* kLibraryFile = "VF620.dll";

std::string LastSystemError()
{
    const DWORD nError = ::GetLastError();
    char szText[256] = {};
    DWORD nLength = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, nError, 0, szText, sizeof szText, nullptr);
    while (nLength > 0 && (szText[nLength - 1] == '\n' || szText[nLength - 1] == '\r'))
        --nLength;
    return nLength ? std::string(szText, nLength) : "error " + std::to_string(nError);
}

// The folder vfdkit.exe runs from: the DLL is installed beside it.
std::filesystem::path ProgramFolder()
{
    wchar_t szPath[MAX_PATH] = {};
    const DWORD nLength = ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    if (nLength == 0 || nLength == MAX_PATH)
        return {};
    return std::filesystem::path(szPath).parent_path();
}

std::vector<std::string> Candidates()
{
    std::vector<std::string> paths;
    if (const char* pszPath = std::getenv("VFDKIT_VF620"); pszPath && *pszPath)
    {
        paths.push_back(pszPath);
        return paths;
    }
    if (const auto folder = ProgramFolder(); !folder.empty())
        paths.push_back((folder / kLibraryFile).string());
    paths.push_back(kLibraryFile);
    return paths;
}

bool IsPathName(const std::string& path)
{
    return path.find_first_of("/\\:") != std::string::npos;
}

void* OpenLibrary(const std::string& path, std::string& strError)
{
    // No "cannot find" box from the system: the caller reports.
    const UINT nOldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE hModule = ::LoadLibraryA(path.c_str());
    if (!hModule)
        strError = path + ": " + LastSystemError();
    ::SetErrorMode(nOldMode);
    return reinterpret_cast<void*>(hModule);
}

void* FindSymbol(void* pHandle, const char* pszName)
{
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(pHandle), pszName));
}

void CloseLibrary(void* pHandle)
{
    ::FreeLibrary(static_cast<HMODULE>(pHandle));
}
#else
std::vector<std::string> Candidates()
{
    std::vector<std::string> paths;
    if (const char* pszPath = std::getenv("VFDKIT_VF620"); pszPath && *pszPath)
    {
        paths.push_back(pszPath);
        return paths;
    }
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    // Beside the program as built (lib/) and as installed (the library
    // folder it was configured with, lib64 on some systems).
    if (!ec)
        for (const char* pszFolder : {"lib", VFDKIT_LIBDIR})
        {
            const std::string strPath =
                (exe.parent_path().parent_path() / pszFolder / "libVF620.so.1").string();
            if (std::find(paths.begin(), paths.end(), strPath) == paths.end())
                paths.push_back(strPath);
        }
    paths.push_back("libVF620.so.1");
    paths.push_back("libVF620.so");
    return paths;
}

bool IsPathName(const std::string& path)
{
    return path.find('/') != std::string::npos;
}

void* OpenLibrary(const std::string& path, std::string& strError)
{
    void* pHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!pHandle)
        strError = dlerror();
    return pHandle;
}

void* FindSymbol(void* pHandle, const char* pszName)
{
    return dlsym(pHandle, pszName);
}

void CloseLibrary(void* pHandle)
{
    dlclose(pHandle);
}
#endif
} // namespace

void CDriverLibrary::CCloser::operator()(void* pHandle) const
{
    CloseLibrary(pHandle);
}

CDriverLibrary::CDriverLibrary() = default;
CDriverLibrary::~CDriverLibrary() = default;

bool CDriverLibrary::Load()
{
    std::string strTried;
    for (const auto& path : Candidates())
    {
        // Relative paths with a folder in them would be taken from the
        // working folder.
        if (IsPathName(path) && !std::filesystem::exists(path))
        {
            strTried += "\n  " + path + ": no such file";
            continue;
        }
        std::string strError;
        void* pHandle = OpenLibrary(path, strError);
        if (!pHandle)
        {
            strTried += "\n  " + strError;
            continue;
        }
        m_pHandle.reset(pHandle);
        m_strPath = path;
        m_pfnGetExport =
            reinterpret_cast<decltype(m_pfnGetExport)>(FindSymbol(pHandle, "VF620_GetExport"));
        m_pfnSetMessageHook = reinterpret_cast<decltype(m_pfnSetMessageHook)>(
            FindSymbol(pHandle, "VF620_SetMessageHook"));
        m_pfnGetLastErrorText = reinterpret_cast<decltype(m_pfnGetLastErrorText)>(
            FindSymbol(pHandle, "VF620_GetLastErrorText"));
        if (!m_pfnGetExport || !m_pfnSetMessageHook)
        {
            m_strError = path + " is no VF620 library: it has no ordinal table";
            m_pHandle.reset();
            return false;
        }
        return true;
    }
    m_strError = "cannot load the VF620 library (set VFDKIT_VF620 to its file); tried:" + strTried;
    return false;
}

const VF620_EXPORT_ENTRY* CDriverLibrary::Ordinal(std::int32_t nOrdinal) const
{
    return m_pfnGetExport ? m_pfnGetExport(nOrdinal) : nullptr;
}

const VF620_EXPORT_ENTRY* CDriverLibrary::Find(const std::string& strNameOrOrdinal) const
{
    if (!strNameOrOrdinal.empty() && strNameOrOrdinal[0] == '@')
    {
        const auto nOrdinal = ParseCommandLineInteger(strNameOrOrdinal.substr(1));
        if (!nOrdinal || *nOrdinal < 1 || *nOrdinal > 0x7FFFFFFF)
            return nullptr;
        return Ordinal(static_cast<std::int32_t>(*nOrdinal));
    }
    for (std::int32_t n = 1; const VF620_EXPORT_ENTRY* pEntry = Ordinal(n); ++n)
        if (strcasecmp(pEntry->pszName, strNameOrOrdinal.c_str()) == 0)
            return pEntry;
    return nullptr;
}

std::string CDriverLibrary::LastErrorText() const
{
    const char* pszText = m_pfnGetLastErrorText ? m_pfnGetLastErrorText() : nullptr;
    return pszText ? pszText : "";
}

void CDriverLibrary::SetMessageHook(VF620_MESSAGE_HOOK pfnHook, void* pContext) const
{
    if (m_pfnSetMessageHook)
        m_pfnSetMessageHook(pfnHook, pContext);
}
