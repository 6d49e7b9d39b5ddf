// The Telnet layer of network ports: bytes from a port server or a client
// in chunks the input decides. Data comes out once, in order, unchanged
// where no IAC is; a command cut between two chunks is completed by the
// next; escaping the data again and decoding gives it back.
#include "LineChunks.h"
#include "Telnet.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    // The same bytes fed in the input's chunks and all at once.
    std::vector<std::uint8_t> bytes;
    telnet::CDecoder chunked;
    std::vector<std::uint8_t> chunkData;
    std::vector<telnet::CDecoder::CCommand> chunkCommands;
    ForEachChunk(pData, nSize, 0,
                 [&](const std::uint8_t* pChunk, std::size_t nChunk, bool)
                 {
                     bytes.insert(bytes.end(), pChunk, pChunk + nChunk);
                     chunked.Feed(pChunk, nChunk, chunkData, chunkCommands);
                     return true;
                 });
    telnet::CDecoder whole;
    std::vector<std::uint8_t> wholeData;
    std::vector<telnet::CDecoder::CCommand> wholeCommands;
    whole.Feed(bytes.data(), bytes.size(), wholeData, wholeCommands);
    if (chunkData != wholeData || chunkCommands != wholeCommands)
        std::abort();
    if (std::find(bytes.begin(), bytes.end(), telnet::kIac) == bytes.end() && wholeData != bytes)
        std::abort();

    // What the decoder gives, escaped, decodes to itself and nothing else.
    const std::vector<std::uint8_t> escaped = telnet::Escape(wholeData.data(), wholeData.size());
    telnet::CDecoder again;
    std::vector<std::uint8_t> againData;
    std::vector<telnet::CDecoder::CCommand> againCommands;
    again.Feed(escaped.data(), escaped.size(), againData, againCommands);
    if (againData != wholeData || !againCommands.empty())
        std::abort();

    // A negotiator answers whatever is asked, and agrees to nothing twice.
    telnet::CNegotiator negotiator({telnet::kOptBinary, telnet::kOptComPort});
    for (const auto& command : wholeCommands)
        if (command.m_nVerb != telnet::kSb)
            (void)negotiator.Answer(command.m_nVerb, command.m_nOption);
    return 0;
}
