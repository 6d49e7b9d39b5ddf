// vfdsim's command decoder over a line whose bytes arrive in chunks the input
// decides, with quiet spells between some: every byte received must appear
// exactly once, in order, in the "rx" fields of the transcript.
#include "Clock.h"
#include "CommandDecoder.h"
#include "Transcript.h"
#include "VirtualDisplay.h"

#include <sstream>
#include <string>
#include <vector>

namespace
{
std::vector<std::uint8_t> RxOf(const std::string& strTranscript)
{
    std::vector<std::uint8_t> bytes;
    std::istringstream in(strTranscript);
    for (std::string line; std::getline(in, line);)
    {
        const auto entry = CJsonObject::Parse(line);
        if (!entry)
            __builtin_trap(); // the transcript must stay readable
        if (const auto rx = entry->Get("rx"))
            for (std::size_t i = 0; i + 1 < rx->size(); i += 3)
                bytes.push_back(
                    static_cast<std::uint8_t>(std::stoi(rx->substr(i, 2), nullptr, 16)));
    }
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 1)
        return 0;
    // The first byte chooses the model; then each chunk is a length byte
    // (its top bit: the line goes quiet after it) and the bytes it covers.
    CVirtualClock clock;
    std::ostringstream out;
    std::vector<std::uint8_t> fed;
    {
        CTranscript transcript(&out, clock);
        CVirtualDisplay display(pData[0] & 1 ? EDisplayModel::VF730 : EDisplayModel::VF620);
        CCommandDecoder decoder(display, transcript);
        std::size_t i = 1;
        while (i < nSize)
        {
            const std::uint8_t nHeader = pData[i++];
            const std::size_t nCount = std::min<std::size_t>(nHeader & 0x7F, nSize - i);
            for (std::size_t n = 0; n < nCount; ++n)
            {
                decoder.Feed(pData[i + n]);
                fed.push_back(pData[i + n]);
            }
            i += nCount;
            if (nHeader & 0x80)
                decoder.OnIdle();
            else
                decoder.Settle();
        }
        if (decoder.BytesFed() != fed.size())
            __builtin_trap();
    } // the decoder reports what is left when it goes
    if (RxOf(out.str()) != fed)
        __builtin_trap();
    return 0;
}
