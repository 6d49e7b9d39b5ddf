#include "DownloadFrames.h"

#include "ComPort.h"

#include <algorithm>

namespace
{
// The display checks the XOR of every byte but the last two: the byte just
// before the checksum is left out. That is the wire format the display's
// firmware expects, not a slip to be mended here.
void AppendChecksum(std::vector<std::uint8_t>& frame)
{
    frame.push_back(XorChecksum(frame.data(), frame.size() - 1));
}
} // namespace

std::vector<std::uint8_t> BuildHeaderFrame(std::uint32_t nArea, std::uint32_t nFileLength,
                                           int nWidth, int nHeight)
{
    std::vector<std::uint8_t> frame = {
        kFrameStart,
        static_cast<std::uint8_t>(kHeaderFrameLength),
        kDownloadKey,
        0x01, // the header's sequence number
        static_cast<std::uint8_t>(nArea),
        static_cast<std::uint8_t>(nFileLength),
        static_cast<std::uint8_t>(nFileLength >> 8),
        static_cast<std::uint8_t>(nFileLength >> 16),
        static_cast<std::uint8_t>(nFileLength >> 24),
        static_cast<std::uint8_t>(nWidth),
        static_cast<std::uint8_t>(nHeight),
    };
    AppendChecksum(frame);
    return frame;
}

std::vector<std::uint8_t> BuildDataFrame(std::uint8_t nSequence, const std::uint8_t* pData,
                                         std::size_t nCount)
{
    std::vector<std::uint8_t> frame(4 + nCount);
    frame[0] = kFrameStart;
    frame[1] = static_cast<std::uint8_t>(nCount + 5);
    frame[2] = kDownloadKey;
    frame[3] = nSequence;
    std::copy_n(pData, nCount, frame.begin() + 4);
    AppendChecksum(frame);
    return frame;
}
