// The editor's download (DownloadFont, as `vfdkit send` and the Download
// dialog run it) over a display whose replies are the input: any bytes, cut
// into reads as the input decides, an empty read being a quiet line. Every
// frame sent must be whole and sound, and the data frames must carry the
// file in order, never past its end, and all of it when the result is Ok.
#include "ComPort.h"
#include "DownloadFrames.h"
#include "FakePortView.h"
#include "FakeSerialPort.h"
#include "FontDownload.h"
#include "FuzzFolder.h"

#include <fstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 2)
        return 0;
    // The file's length from the first two bytes (up to 8 frames), its
    // bytes a pattern; then reads: a count byte (0 to 7) and that many bytes.
    const std::size_t nLength = (pData[0] | pData[1] << 8) % 2001u;
    std::vector<std::uint8_t> file(nLength);
    for (std::size_t i = 0; i < nLength; ++i)
        file[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    const std::string strPath = FuzzPath("font.bin");
    std::ofstream(strPath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(nLength));

    CVirtualClock clock;
    CFakeSerialPort port;
    for (std::size_t i = 2; i < nSize;)
    {
        const std::size_t nWant = pData[i++] % 8u;
        const std::size_t nCount = std::min(nWant, nSize - i);
        port.QueueRead({pData + i, pData + i + nCount});
        i += nCount;
    }
    const CComPortFactoryScope scope([&] { return CFakePortView::Of(port); });

    // The progress callback comes just before each new frame is written;
    // every other write repeats the frame before it.
    std::vector<std::size_t> newAt;
    CFontDownload download;
    download.m_strPath = strPath;
    const EDownloadResult result = DownloadFont(
        download, [&](int, int) { newAt.push_back(port.m_writes.size()); }, clock);
    if (result == EDownloadResult::OpenFileError || result == EDownloadResult::OpenPortError)
        __builtin_trap(); // both are there

    std::vector<std::uint8_t> sent;
    std::size_t nNew = 0;
    for (std::size_t n = 0; n < port.m_writes.size(); ++n)
    {
        const auto& frame = port.m_writes[n].m_bytes;
        if (frame.size() < 5 || frame[0] != kFrameStart || frame[1] != frame.size() ||
            frame[2] != kDownloadKey || frame.back() != XorChecksum(frame.data(), frame.size() - 2))
            __builtin_trap();
        if (nNew < newAt.size() && newAt[nNew] == n)
        {
            if (nNew++ > 0) // the first is the header
                sent.insert(sent.end(), frame.begin() + 4, frame.end() - 1);
        }
        else if (n == 0 || frame != port.m_writes[n - 1].m_bytes)
            __builtin_trap();
    }
    if (nNew != newAt.size() || sent.size() > nLength ||
        !std::equal(sent.begin(), sent.end(), file.begin()) ||
        (result == EDownloadResult::Ok && sent.size() != nLength))
        __builtin_trap();
    return 0;
}
