#include "PngEncoder.h"

#include "File.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <zlib.h>

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

// The zlib stream of the raw bytes at zlib's default level.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& raw)
{
    uLongf nSize = ::compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> out(nSize);
    // Fails only without memory, which the vector's allocation reports first.
    ::compress2(out.data(), &nSize, raw.data(), static_cast<uLong>(raw.size()),
                Z_DEFAULT_COMPRESSION);
    out.resize(nSize);
    return out;
}

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The PNG filters undone in place, row by row (filter byte first).
bool Unfilter(std::vector<std::uint8_t>& raw, std::size_t nRowBytes, std::size_t nHeight,
              std::size_t nChannels, std::vector<std::uint8_t>& pixels)
{
    pixels.assign(nRowBytes * nHeight, 0);
    for (std::size_t y = 0; y < nHeight; ++y)
    {
        const std::uint8_t nFilter = raw[y * (nRowBytes + 1)];
        const std::uint8_t* pIn = &raw[y * (nRowBytes + 1) + 1];
        std::uint8_t* pOut = &pixels[y * nRowBytes];
        const std::uint8_t* pUp = y > 0 ? pOut - nRowBytes : nullptr;
        for (std::size_t x = 0; x < nRowBytes; ++x)
        {
            const int a = x >= nChannels ? pOut[x - nChannels] : 0;
            const int b = pUp ? pUp[x] : 0;
            const int c = pUp && x >= nChannels ? pUp[x - nChannels] : 0;
            int nPredicted = 0;
            switch (nFilter)
            {
            case 0:
                break;
            case 1:
                nPredicted = a;
                break;
            case 2:
                nPredicted = b;
                break;
            case 3:
                nPredicted = (a + b) / 2;
                break;
            case 4:
            {
                const int p = a + b - c;
                const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                nPredicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                break;
            }
            default:
                return false;
            }
            pOut[x] = static_cast<std::uint8_t>(pIn[x] + nPredicted);
        }
    }
    return true;
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
    PutChunk(png, "IDAT", Deflate(raw));
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

std::optional<CDecodedPng> DecodePng(const std::vector<std::uint8_t>& png, std::string* pError)
{
    auto fail = [pError](const char* pszCause) -> std::optional<CDecodedPng>
    {
        if (pError)
            *pError = pszCause;
        return std::nullopt;
    };
    static const std::uint8_t s_signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || !std::equal(s_signature, s_signature + 8, png.begin()))
        return fail("not a PNG file");
    CDecodedPng image;
    std::vector<std::uint8_t> zlib;
    bool bHeader = false, bEnd = false;
    for (std::size_t nAt = 8; !bEnd;)
    {
        if (png.size() - nAt < 12)
            return fail("the file ends inside a chunk");
        const std::uint32_t nLength = BigEndian32(&png[nAt]);
        if (nLength > png.size() - nAt - 12)
            return fail("the file ends inside a chunk");
        const std::uint8_t* pType = &png[nAt + 4];
        if (BigEndian32(pType + 4 + nLength) != Crc32(pType, 4 + std::size_t{nLength}))
            return fail("a chunk's checksum is wrong");
        const std::string type(pType, pType + 4);
        const std::uint8_t* pData = pType + 4;
        if (type == "IHDR" && nLength == 13)
        {
            image.m_nWidth = static_cast<int>(BigEndian32(pData));
            image.m_nHeight = static_cast<int>(BigEndian32(pData + 4));
            image.m_nChannels = pData[9] == 2 ? 3 : pData[9] == 6 ? 4 : 0;
            if (pData[8] != 8 || image.m_nChannels == 0 || pData[12] != 0)
                return fail("only 8-bit RGB or RGBA without interlace is read");
            // A bound on the picture keeps a forged header from asking for gigabytes.
            if (image.m_nWidth <= 0 || image.m_nHeight <= 0 ||
                std::int64_t{image.m_nWidth} * image.m_nHeight > (1 << 26))
                return fail("the picture's size is out of range");
            bHeader = true;
        }
        else if (type == "IDAT")
            zlib.insert(zlib.end(), pData, pData + nLength);
        else if (type == "IEND")
            bEnd = true;
        nAt += 12 + std::size_t{nLength};
    }
    if (!bHeader)
        return fail("the header chunk is missing");
    const std::size_t nRowBytes = static_cast<std::size_t>(image.m_nWidth) * image.m_nChannels;
    const std::size_t nHeight = static_cast<std::size_t>(image.m_nHeight);
    std::vector<std::uint8_t> raw((nRowBytes + 1) * nHeight);
    uLongf nRaw = static_cast<uLongf>(raw.size());
    if (::uncompress(raw.data(), &nRaw, zlib.data(), static_cast<uLong>(zlib.size())) != Z_OK ||
        nRaw != raw.size())
        return fail("the image data does not inflate to the picture's size");
    if (!Unfilter(raw, nRowBytes, nHeight, static_cast<std::size_t>(image.m_nChannels),
                  image.m_pixels))
        return fail("a row has an unknown filter");
    return image;
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
