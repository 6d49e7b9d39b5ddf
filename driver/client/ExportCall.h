#pragma once

#include "VF620.h"

#include <cstdint>
#include <optional>
#include <vector>

// Calls a function of the library's ordinal table with arguments held as
// plain values, so a program can reach any function it knows only by name or
// number (the command line does, and so do the tests).
struct CCallArgument
{
    std::int64_t m_nValue = 0; // for 'i', 'u' and 'n': the low 32 bits are passed
    void* m_pData = nullptr;   // for 's', 'b' and 'z'
};

// The result of the entry's function called with args, one per letter of
// its pszArgs; nothing when the function is missing from this build, the
// argument count is wrong or the signature is not one of the library's.
std::optional<std::int32_t> CallExport(const VF620_EXPORT_ENTRY& entry,
                                       const std::vector<CCallArgument>& args);
