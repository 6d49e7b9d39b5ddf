#pragma once

#include "VF620.h"
#include "Vf620Calls.h"

#include <functional>
#include <memory>
#include <string>

// The ordinals Pagewing binds, with the names the library gives them.
struct CVf620Ordinal
{
    std::int32_t m_nOrdinal;
    const char* m_pszName;
};
inline constexpr CVf620Ordinal kPagewingOrdinals[] = {
    {1, "OpenDComm"},    {2, "SendDStr"},      {3, "CloseDComm"},
    {9, "ClearDisplay"}, {40, "DownLoadFile"}, {41, "DownLoadFileSinglePage"},
};

// The seam over the library's functions, one pointer per ordinal.
class CBoundVf620Calls final : public CVf620Calls
{
public:
    using Lookup = std::function<VF620_PROC(std::int32_t)>;

    // Binds every ordinal of kPagewingOrdinals through lookup (nullptr: the
    // library lacks it) and takes the hook setter as it is (nullptr: the
    // library shows its messages itself). Nothing, with strMissing naming the
    // missing ordinals ("ordinals 40 (DownLoadFile) and 41
    // (DownLoadFileSinglePage)"), when any is missing. The cause getter is
    // an extension of the library's, taken when it has one.
    static std::unique_ptr<CBoundVf620Calls>
    Bind(const Lookup& lookup, decltype(&VF620_SetMessageHook) pfnSetHook, std::string& strMissing,
         decltype(&VF620_GetLastErrorText) pfnLastErrorText = nullptr);

    std::int32_t OpenDComm(std::int32_t nPort, std::int32_t nParity, std::int32_t nBaud) override;
    std::int32_t SendDStr(const void* pData, std::uint32_t nCount) override;
    std::int32_t CloseDComm() override;
    std::int32_t ClearDisplay() override;
    std::int32_t DownLoadFile(const char* pszPath, std::uint32_t dwArea) override;
    std::int32_t DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                        std::int32_t nPage) override;
    void SetMessageHook(CUserInterface* pUi) override;
    std::string LastErrorText() override;

private:
    CBoundVf620Calls() = default;

    decltype(&::OpenDComm) m_pfnOpenDComm = nullptr;
    decltype(&::SendDStr) m_pfnSendDStr = nullptr;
    decltype(&::CloseDComm) m_pfnCloseDComm = nullptr;
    decltype(&::ClearDisplay) m_pfnClearDisplay = nullptr;
    decltype(&::DownLoadFile) m_pfnDownLoadFile = nullptr;
    decltype(&::DownLoadFileSinglePage) m_pfnDownLoadFileSinglePage = nullptr;
    decltype(&VF620_SetMessageHook) m_pfnSetMessageHook = nullptr;
    decltype(&VF620_GetLastErrorText) m_pfnLastErrorText = nullptr;
};

// The driver library, loaded as the program starts and kept for as long as
// the program runs.
//
// Programs name it as a linked program would: by its soname
// (libVF620.so.1), found the way the system loader finds libraries
// (LD_LIBRARY_PATH, the program's run path ../lib, the system's folders), or
// "VF620.dll" on Windows. Loading it here rather than through the loader lets
// the program say itself what is missing.
class CVf620Module
{
public:
    // The name the library is loaded by when none is given.
    static const char* DefaultName();

    CVf620Module();
    ~CVf620Module();
    CVf620Module(const CVf620Module&) = delete;
    CVf620Module& operator=(const CVf620Module&) = delete;

    // Loads the library by name (or path) and binds the six ordinals. The
    // bound functions, valid while this lives; nullptr, with strError saying
    // which library is missing or which ordinals it lacks.
    CVf620Calls* Load(const std::string& strName, std::string& strError);

private:
    struct CCloser
    {
        void operator()(void* hModule) const;
    };
    std::unique_ptr<void, CCloser> m_hModule;
    std::unique_ptr<CBoundVf620Calls> m_pCalls;
};
