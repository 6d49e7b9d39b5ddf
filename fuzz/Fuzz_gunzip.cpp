// Compressed sources: gzip members, damaged, cut short or inflating past the limit.
#include "SourceFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::string strError;
    const auto bytes = Gunzip({pData, nSize}, 1u << 20, strError);
    if (bytes && bytes->size() > (1u << 20))
        __builtin_trap();
    return 0;
}
