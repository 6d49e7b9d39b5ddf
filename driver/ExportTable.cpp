// The ordinal table: the fixed number of every function, for programs that
// bind the library by ordinal where the platform has no ordinals of its own.
#include "VF620.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <iterator>

namespace
{
template <typename F>
VF620_PROC Proc(F* pfn)
{
    return reinterpret_cast<VF620_PROC>(pfn);
}

// Ordinal 12 is the window system's mouse-cursor function where there is
// one, which the DLL forwards; elsewhere there is nothing of that kind to
// hand on.
#if defined(_WIN32)
const VF620_PROC VF620_FORWARDED_SetCursor = Proc(&::SetCursor);
#else
const VF620_PROC VF620_FORWARDED_SetCursor = nullptr;
#endif

// The rows, generated from VF620.exports with VF620.def and the version script.
const VF620_EXPORT_ENTRY kExports[] = {
#include "VF620Table.inc"
};
constexpr std::int32_t kOrdinals = static_cast<std::int32_t>(std::size(kExports));
} // namespace

const VF620_EXPORT_ENTRY* VF620_API VF620_GetExport(int32_t nOrdinal)
{
    if (nOrdinal < 1 || nOrdinal > kOrdinals)
        return nullptr;
    return &kExports[nOrdinal - 1];
}

VF620_PROC VF620_API VF620_GetProcByOrdinal(int32_t nOrdinal)
{
    const VF620_EXPORT_ENTRY* pEntry = VF620_GetExport(nOrdinal);
    return pEntry ? pEntry->pfnProc : nullptr;
}
