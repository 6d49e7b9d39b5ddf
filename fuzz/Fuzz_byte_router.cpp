// vfdsim's byte router over the real download peer and command decoder: the
// line's bytes in chunks the input decides, with quiet spells between some.
// The decoder gets the bytes in order, each once, and all of them when no
// header of the editor's download is among them; the router gives the line
// back to the decoder once the line goes quiet.
#include "ByteRouter.h"
#include "FuzzDisplay.h"
#include "LineChunks.h"

#include <vector>

namespace
{
class CNullLine final : public CLine
{
public:
    void Send(const std::vector<std::uint8_t>&) override {}
    void HangUp(const std::vector<std::uint8_t>&) override {}
};

bool HasHeader(const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t i = 0; i + 12 <= bytes.size(); ++i)
        if (CDownloadPeer::IsHeaderFrame(bytes.data() + i, 12))
            return true;
    return false;
}

// Each byte of part found in whole, in order.
bool IsSubsequence(const std::vector<std::uint8_t>& part, const std::vector<std::uint8_t>& whole)
{
    std::size_t nAt = 0;
    for (const std::uint8_t nByte : part)
    {
        while (nAt < whole.size() && whole[nAt] != nByte)
            ++nAt;
        if (nAt++ >= whole.size())
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 1)
        return 0;
    CFuzzDisplay display(pData[0]);
    CNullLine line;
    CDownloadPeer peer(line, display.Transcript());
    CByteRouter router(peer, display.Decoder());
    std::vector<std::uint8_t> fed;
    ForEachChunk(pData, nSize, 1,
                 [&](const std::uint8_t* pChunk, std::size_t nCount, bool bQuiet)
                 {
                     router.Feed(pChunk, nCount);
                     fed.insert(fed.end(), pChunk, pChunk + nCount);
                     if (bQuiet)
                     {
                         router.OnIdle();
                         if (router.InDownload())
                             __builtin_trap();
                     }
                     return true;
                 });
    router.OnIdle();
    const std::uint64_t nDecoded = display.Decoder().BytesFed();
    const std::vector<std::uint8_t> decoded = display.FinishedRx();
    if (decoded.size() != nDecoded || !IsSubsequence(decoded, fed) ||
        (decoded != fed && !HasHeader(fed)))
        __builtin_trap();
    return 0;
}
