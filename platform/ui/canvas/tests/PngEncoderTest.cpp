#include "PngEncoder.h"

#include "PixelCanvas.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

namespace
{
std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::uint32_t Crc(const std::string& text)
{
    return Crc32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

struct CDecodedPng
{
    std::uint32_t m_nWidth = 0, m_nHeight = 0;
    std::vector<std::uint8_t> m_header;
    std::vector<std::uint8_t> m_raw; // the filtered rows, inflated
    int m_nStoredBlocks = 0;
    std::vector<std::string> m_chunkTypes;
};

// Reads a PNG back the long way, checking every CRC, the zlib header, each
// stored block's length pair and the Adler-32 trailer.
CDecodedPng Decode(const std::vector<std::uint8_t>& png)
{
    CDecodedPng out;
    const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(std::memcmp(png.data(), kSignature, 8), 0);
    std::vector<std::uint8_t> zlib;
    std::size_t at = 8;
    while (at + 12 <= png.size())
    {
        const std::uint32_t nLength = BigEndian32(&png[at]);
        const std::string type(reinterpret_cast<const char*>(&png[at + 4]), 4);
        out.m_chunkTypes.push_back(type);
        EXPECT_EQ(BigEndian32(&png[at + 8 + nLength]), Crc32(&png[at + 4], 4 + nLength)) << type;
        const auto first = png.begin() + static_cast<std::ptrdiff_t>(at + 8);
        if (type == "IHDR")
            out.m_header.assign(first, first + nLength);
        if (type == "IDAT")
            zlib.insert(zlib.end(), first, first + nLength);
        at += 12 + nLength;
    }
    EXPECT_EQ(at, png.size());
    if (out.m_header.size() == 13)
    {
        out.m_nWidth = BigEndian32(&out.m_header[0]);
        out.m_nHeight = BigEndian32(&out.m_header[4]);
    }

    EXPECT_GE(zlib.size(), 2u + 5u + 4u);
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);
    EXPECT_EQ(zlib[0] & 0x0F, 8); // deflate
    std::size_t z = 2;
    bool bFinal = false;
    while (!bFinal && z + 5 <= zlib.size())
    {
        bFinal = zlib[z] & 1;
        EXPECT_EQ(zlib[z] & 0x06, 0); // stored
        const unsigned nLen = zlib[z + 1] | zlib[z + 2] << 8;
        const unsigned nNotLen = zlib[z + 3] | zlib[z + 4] << 8;
        EXPECT_EQ(nLen ^ 0xFFFFu, nNotLen);
        out.m_raw.insert(out.m_raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(z + 5),
                         zlib.begin() + static_cast<std::ptrdiff_t>(z + 5 + nLen));
        z += 5 + nLen;
        ++out.m_nStoredBlocks;
    }
    EXPECT_TRUE(bFinal);
    EXPECT_EQ(z + 4, zlib.size());
    EXPECT_EQ(BigEndian32(&zlib[z]), Adler32(out.m_raw.data(), out.m_raw.size()));
    return out;
}
} // namespace

TEST(PngEncoder, ChecksumsMatchTheirReferenceValues)
{
    EXPECT_EQ(Crc("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc("IEND"), 0xAE426082u);
    EXPECT_EQ(Crc(""), 0u);
    const std::string text = "Wikipedia";
    const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
    EXPECT_EQ(Adler32(p, text.size()), 0x11E60398u);
    // Continuing a checksum gives the checksum of the whole.
    EXPECT_EQ(Adler32(p + 4, 5, Adler32(p, 4)), 0x11E60398u);
    EXPECT_EQ(Crc32(p + 4, 5, Crc32(p, 4)), Crc32(p, 9));
    // Long runs of 0xFF are where a 32-bit Adler sum overflows if reduced too late.
    std::vector<std::uint8_t> ones(100000, 0xFF);
    std::uint32_t a = 1, b = 0;
    for (auto byte : ones)
    {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(Adler32(ones.data(), ones.size()), (b << 16) | a);
}

TEST(PngEncoder, SmallImageRoundTrips)
{
    const std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const CDecodedPng png = Decode(EncodePng(3, 2, rgb));
    EXPECT_EQ(png.m_chunkTypes, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(png.m_nWidth, 3u);
    EXPECT_EQ(png.m_nHeight, 2u);
    EXPECT_EQ(png.m_header[8], 8);  // bits per sample
    EXPECT_EQ(png.m_header[9], 2);  // RGB
    EXPECT_EQ(png.m_header[12], 0); // not interlaced
    EXPECT_EQ(png.m_raw, (std::vector<std::uint8_t>{0, 1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                    0, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
}

TEST(PngEncoder, LargeImagesSpanSeveralStoredBlocks)
{
    CPixelCanvas canvas(584, 564, kWhite);
    canvas.FillRect(100, 200, 300, 400, CRgb{12, 34, 56});
    const CDecodedPng png = Decode(EncodePng(canvas.Width(), canvas.Height(), canvas.Rgb().data()));
    const std::size_t nRow = 584 * 3 + 1;
    ASSERT_EQ(png.m_raw.size(), nRow * 564);
    EXPECT_EQ(png.m_nStoredBlocks, static_cast<int>((nRow * 564 + 65534) / 65535));
    for (int y : {0, 199, 200, 399, 563})
    {
        EXPECT_EQ(png.m_raw[nRow * y], 0) << y;
        const std::uint8_t* pPixel = &png.m_raw[nRow * y + 1 + 150 * 3];
        EXPECT_EQ(pPixel[0], (y >= 200 && y < 400) ? 12 : 255) << y;
        EXPECT_EQ(pPixel[2], (y >= 200 && y < 400) ? 56 : 255) << y;
    }
}

TEST(PngEncoder, WritesFilesAndReportsWhereItCannot)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("vfd_png_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    CPixelCanvas canvas(5, 4, kBlack);
    ASSERT_TRUE(canvas.WritePng((dir / "a.png").string()));
    std::ifstream in(dir / "a.png", std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bytes, EncodePng(5, 4, canvas.Rgb().data()));

    std::string strError;
    EXPECT_FALSE(canvas.WritePng((dir / "missing" / "b.png").string(), &strError));
    EXPECT_NE(strError.find("b.png"), std::string::npos) << strError;
    fs::remove_all(dir);
}
