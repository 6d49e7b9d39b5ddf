#pragma once

#include "VF620.h"

#include <memory>
#include <string>
#include <vector>

// The VF620 shared library loaded at run time and reached through its
// ordinal table, as programs built for it bind it. Looked for at
// $VFDKIT_VF620 when set, then beside vfdkit (../lib from its folder, as in
// the build and install trees; on Windows VF620.dll in vfdkit.exe's own
// folder), then wherever the system loader looks.
class CDriverLibrary
{
public:
    CDriverLibrary();
    ~CDriverLibrary();
    CDriverLibrary(const CDriverLibrary&) = delete;
    CDriverLibrary& operator=(const CDriverLibrary&) = delete;

    // False, with m_strError naming every place tried, when no library loads
    // or it lacks the table.
    bool Load();

    // The entry of an ordinal ("@9") or of a name, in any letter case.
    const VF620_EXPORT_ENTRY* Find(const std::string& strNameOrOrdinal) const;
    const VF620_EXPORT_ENTRY* Ordinal(std::int32_t nOrdinal) const;
    void SetMessageHook(VF620_MESSAGE_HOOK pfnHook, void* pContext) const;
    // The library's cause of its latest failure; "" when it keeps none.
    std::string LastErrorText() const;

    const std::string& GetPath() const { return m_strPath; }
    std::string m_strError;

private:
    struct CCloser
    {
        void operator()(void* pHandle) const;
    };
    std::unique_ptr<void, CCloser> m_pHandle;
    std::string m_strPath;
    decltype(&VF620_GetExport) m_pfnGetExport = nullptr;
    decltype(&VF620_SetMessageHook) m_pfnSetMessageHook = nullptr;
    // An extension: a library without it is still a VF620 library.
    decltype(&VF620_GetLastErrorText) m_pfnGetLastErrorText = nullptr;
};
