#include "PngEncoder.h"

#include "File.h"

#include <algorithm>
#include <array>

namespace
{
std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n)
    {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t nValue)
{
    out.push_back(static_cast<std::uint8_t>(nValue >> 24));
    out.push_back(static_cast<std::uint8_t>(nValue >> 16));
    out.push_back(static_cast<std::uint8_t>(nValue >> 8));
    out.push_back(static_cast<std::uint8_t>(nValue));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* pszType,
              const std::vector<std::uint8_t>& data)
{
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t nTypeAt = out.size();
    out.insert(out.end(), pszType, pszType + 4);
    out.insert(out.end(), data.begin(), data.end());
    // The CRC covers the type and the data, not the length.
    PutBigEndian32(out, Crc32(out.data() + nTypeAt, 4 + data.size()));
}

// The zlib stream of the raw bytes in stored blocks of at most 65,535 bytes.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw)
{
    constexpr std::size_t kMaxBlock = 65535;
    std::vector<std::uint8_t> out;
    out.reserve(raw.size() + raw.size() / kMaxBlock * 5 + 16);
    out.push_back(0x78); // deflate, 32 KiB window
    out.push_back(0x01); // no preset dictionary, fastest; 0x7801 is a multiple of 31
    std::size_t nAt = 0;
    do
    {
        const std::size_t nLength = std::min(kMaxBlock, raw.size() - nAt);
        const bool bFinal = nAt + nLength == raw.size();
        out.push_back(bFinal ? 0x01 : 0x00); // BFINAL, BTYPE 00 (stored)
        out.push_back(static_cast<std::uint8_t>(nLength));
        out.push_back(static_cast<std::uint8_t>(nLength >> 8));
        out.push_back(static_cast<std::uint8_t>(~nLength));
        out.push_back(static_cast<std::uint8_t>(~nLength >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(nAt),
                   raw.begin() + static_cast<std::ptrdiff_t>(nAt + nLength));
        nAt += nLength;
    } while (nAt < raw.size());
    PutBigEndian32(out, Adler32(raw.data(), raw.size()));
    return out;
}
} // namespace

std::uint32_t Crc32(const std::uint8_t* pData, std::size_t nCount, std::uint32_t nCrc)
{
    static const std::array<std::uint32_t, 256> s_table = MakeCrcTable();
    std::uint32_t c = ~nCrc;
    for (std::size_t i = 0; i < nCount; ++i)
        c = s_table[(c ^ pData[i]) & 0xFF] ^ (c >> 8);
    return ~c;
}

std::uint32_t Adler32(const std::uint8_t* pData, std::size_t nCount, std::uint32_t nAdler)
{
    constexpr std::uint32_t kMod = 65521;
    // 5,552 bytes is the most that can be summed before a 32-bit sum may overflow.
    constexpr std::size_t kRun = 5552;
    std::uint32_t a = nAdler & 0xFFFF;
    std::uint32_t b = nAdler >> 16;
    while (nCount > 0)
    {
        const std::size_t nRun = std::min(nCount, kRun);
        for (std::size_t i = 0; i < nRun; ++i)
        {
            a += pData[i];
            b += a;
        }
        a %= kMod;
        b %= kMod;
        pData += nRun;
        nCount -= nRun;
    }
    return (b << 16) | a;
}

namespace
{
// nChannels bytes a pixel: 3 for RGB (colour type 2), 4 for RGBA (type 6).
std::vector<std::uint8_t> Encode(int nWidth, int nHeight, const std::uint8_t* pPixels,
                                 std::size_t nChannels)
{
    const std::size_t nRowBytes = static_cast<std::size_t>(nWidth) * nChannels;
    std::vector<std::uint8_t> raw;
    raw.reserve((nRowBytes + 1) * static_cast<std::size_t>(nHeight));
    for (int y = 0; y < nHeight; ++y)
    {
        raw.push_back(0); // filter type None
        const std::uint8_t* pRow = pPixels + static_cast<std::size_t>(y) * nRowBytes;
        raw.insert(raw.end(), pRow, pRow + nRowBytes);
    }

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, static_cast<std::uint32_t>(nWidth));
    PutBigEndian32(header, static_cast<std::uint32_t>(nHeight));
    // 8 bits, RGB or RGBA, deflate, no filter, no interlace
    const std::uint8_t nColourType = nChannels == 4 ? 6 : 2;
    header.insert(header.end(), {8, nColourType, 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}
} // namespace

std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, const std::uint8_t* pRgb)
{
    return Encode(nWidth, nHeight, pRgb, 3);
}

std::vector<std::uint8_t> EncodePngRgba(int nWidth, int nHeight, const std::uint8_t* pRgba)
{
    return Encode(nWidth, nHeight, pRgba, 4);
}

bool WritePng(const std::string& strPath, int nWidth, int nHeight, const std::uint8_t* pRgb,
              std::string* pError)
{
    const std::vector<std::uint8_t> png = EncodePng(nWidth, nHeight, pRgb);
    CFile file;
    if (file.Open(strPath, CFile::EMode::CreateReadWrite) && file.Write(png.data(), png.size()) &&
        file.Close())
        return true;
    if (pError)
        *pError = file.GetLastError();
    return false;
}
