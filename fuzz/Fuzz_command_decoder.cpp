// vfdsim's command decoder over a line whose bytes arrive in chunks the input
// decides, with quiet spells between some: every byte received must appear
// exactly once, in order, in the "rx" fields of the transcript.
#include "FuzzDisplay.h"
#include "LineChunks.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 1)
        return 0;
    // The first byte chooses the model; then the line's chunks.
    CFuzzDisplay display(pData[0]);
    CCommandDecoder& decoder = display.Decoder();
    std::vector<std::uint8_t> fed;
    ForEachChunk(pData, nSize, 1,
                 [&](const std::uint8_t* pChunk, std::size_t nCount, bool bQuiet)
                 {
                     for (std::size_t n = 0; n < nCount; ++n)
                         decoder.Feed(pChunk[n]);
                     fed.insert(fed.end(), pChunk, pChunk + nCount);
                     if (bQuiet)
                         decoder.OnIdle();
                     else
                         decoder.Settle();
                     return true;
                 });
    if (decoder.BytesFed() != fed.size())
        __builtin_trap();
    // The decoder reports what is left when it goes.
    if (display.FinishedRx() != fed)
        __builtin_trap();
    return 0;
}
