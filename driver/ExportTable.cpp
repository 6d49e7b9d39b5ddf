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
// one; elsewhere there is nothing of that kind to hand on.
#if defined(_WIN32)
const VF620_PROC kSetCursor = Proc(&::SetCursor);
#else
const VF620_PROC kSetCursor = nullptr;
#endif

const VF620_EXPORT_ENTRY kExports[] = {
    {1, "OpenDComm", "iii", Proc(&OpenDComm)},
    {2, "SendDStr", "sn", Proc(&SendDStr)},
    {3, "CloseDComm", "", Proc(&CloseDComm)},
    {4, "SetBaudRate", "i", Proc(&SetBaudRate)},
    {5, "InitDisplay", "", Proc(&InitDisplay)},
    {6, "DisplayModal", "i", Proc(&DisplayModal)},
    {7, "SelectMode", "i", Proc(&SelectMode)},
    {8, "InitDisplay1", "", Proc(&InitDisplay1)},
    {9, "ClearDisplay", "", Proc(&ClearDisplay)},
    {10, "SetDimming", "i", Proc(&SetDimming)},
    {11, "ClearCursorLine", "", Proc(&ClearCursorLine)},
    {12, "SetCursor", "h", kSetCursor},
    {13, "SetReverse", "i", Proc(&SetReverse)},
    {14, "DisplayStrAt", "sni", Proc(&DisplayStrAt)},
    {15, "ReceiveStrPrn", "bn", Proc(&ReceiveStrPrn)},
    {16, "OpenDComm1", "iii", Proc(&OpenDComm)},
    {17, "ReceiveStr", "bn", Proc(&ReceiveStr)},
    {18, "PurgeComm1", "u", Proc(&PurgeComm1)},
    {19, "MoveCurToLeft", "", Proc(&MoveCurToLeft)},
    {20, "MoveCurToRight", "", Proc(&MoveCurToRight)},
    {21, "MoveCurDownLine", "", Proc(&MoveCurDownLine)},
    {22, "MoveCurUpLine", "", Proc(&MoveCurUpLine)},
    {23, "MoveCurToHome", "", Proc(&MoveCurToHome)},
    {24, "MoveCurToMLeft", "", Proc(&MoveCurToMLeft)},
    {25, "MoveCurToMRight", "", Proc(&MoveCurToMRight)},
    {26, "MoveCurToBottom", "", Proc(&MoveCurToBottom)},
    {27, "MoveCurToSpePosition", "ii", Proc(&MoveCurToSpePosition)},
    {28, "SetUserFontSet", "i", Proc(&SetUserFontSet)},
    {29, "SetInterFontSet", "i", Proc(&SetInterFontSet)},
    {30, "CancelUserDfont", "i", Proc(&CancelUserDfont)},
    {31, "SetInterChaSet", "i", Proc(&SetInterFontSet)},
    {32, "SeCanPeriphalDevice", "i", Proc(&SeCanPeriphalDevice)},
    {33, "SelChaCodeTable", "i", Proc(&SelChaCodeTable)},
    {34, "SelectDisMode", "i", Proc(&SelectDisMode)},
    {35, "SetInterForBlink", "i", Proc(&SetInterForBlink)},
    {36, "SetBrightness", "i", Proc(&SetBrightness)},
    {37, "SetWarnAtColumn", "ii", Proc(&SetWarnAtColumn)},
    {38, "ExeSelfTest", "", Proc(&ExeSelfTest)},
    {39, "DefineUserfont", "", Proc(&DefineUserfont)},
    {40, "DownLoadFile", "zu", Proc(&DownLoadFile)},
    {41, "DownLoadFileSinglePage", "zui", Proc(&DownLoadFileSinglePage)},
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
