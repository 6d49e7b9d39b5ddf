#include "DriverLibrary.h"

#include "Command.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <strings.h>

namespace
{
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
    if (!ec)
        paths.push_back((exe.parent_path().parent_path() / "lib" / "libVF620.so").string());
    paths.push_back("libVF620.so.1");
    paths.push_back("libVF620.so");
    return paths;
}
} // namespace

void CDriverLibrary::CCloser::operator()(void* pHandle) const
{
    dlclose(pHandle);
}

CDriverLibrary::CDriverLibrary() = default;
CDriverLibrary::~CDriverLibrary() = default;

bool CDriverLibrary::Load()
{
    std::string strTried;
    for (const auto& path : Candidates())
    {
        // Relative paths with a slash would be taken from the working folder.
        if (path.find('/') != std::string::npos && !std::filesystem::exists(path))
        {
            strTried += "\n  " + path + ": no such file";
            continue;
        }
        void* pHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!pHandle)
        {
            strTried += "\n  " + std::string(dlerror());
            continue;
        }
        m_pHandle.reset(pHandle);
        m_strPath = path;
        m_pfnGetExport =
            reinterpret_cast<decltype(m_pfnGetExport)>(dlsym(pHandle, "VF620_GetExport"));
        m_pfnSetMessageHook =
            reinterpret_cast<decltype(m_pfnSetMessageHook)>(dlsym(pHandle, "VF620_SetMessageHook"));
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
        const auto nOrdinal = ParseCliInteger(strNameOrOrdinal.substr(1));
        if (!nOrdinal || *nOrdinal < 1 || *nOrdinal > 0x7FFFFFFF)
            return nullptr;
        return Ordinal(static_cast<std::int32_t>(*nOrdinal));
    }
    for (std::int32_t n = 1; const VF620_EXPORT_ENTRY* pEntry = Ordinal(n); ++n)
        if (strcasecmp(pEntry->pszName, strNameOrOrdinal.c_str()) == 0)
            return pEntry;
    return nullptr;
}

void CDriverLibrary::SetMessageHook(VF620_MESSAGE_HOOK pfnHook, void* pContext) const
{
    if (m_pfnSetMessageHook)
        m_pfnSetMessageHook(pfnHook, pContext);
}
