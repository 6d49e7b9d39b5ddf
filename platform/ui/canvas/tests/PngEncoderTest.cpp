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

struct CDecodedPng
{
    std::string m_strChunks; // the chunk types in order
    std::vector<std::uint8_t> m_ihdr;
    std::vector<std::uint8_t> m_raw; // the filtered rows, inflated
    int m_nBlocks = 0;
};

// Reads a PNG back the long way, checking the signature, every CRC, the zlib
// header, each stored block's length pair and the Adler-32 trailer.
CDecodedPng Decode(const std::vector<std::uint8_t>& png)
{
    CDecodedPng out;
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1A\n", 8), 0);
    std::vector<std::uint8_t> zlib;
    std::size_t at = 8;
    for (; at + 12 <= png.size(); at += 12 + BigEndian32(&png[at]))
    {
        const std::uint32_t n = BigEndian32(&png[at]);
        const std::string type(reinterpret_cast<const char*>(&png[at + 4]), 4);
        out.m_strChunks += type + " ";
        EXPECT_EQ(BigEndian32(&png[at + 8 + n]), Crc32(&png[at + 4], 4 + n)) << type;
        auto& into = type == "IHDR" ? out.m_ihdr : zlib;
        into.insert(into.end(), &png[at + 8], &png[at + 8] + n);
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);
    EXPECT_EQ(zlib[0] & 0x0F, 8); // deflate
    std::size_t z = 2;
    for (bool bFinal = false; !bFinal && z + 5 <= zlib.size(); ++out.m_nBlocks)
    {
        bFinal = zlib[z] & 1;
        EXPECT_EQ(zlib[z] & 0x06, 0); // stored
        const unsigned nLen = zlib[z + 1] | zlib[z + 2] << 8;
        EXPECT_EQ(nLen ^ 0xFFFFu, unsigned(zlib[z + 3] | zlib[z + 4] << 8));
        out.m_raw.insert(out.m_raw.end(), &zlib[z + 5], &zlib[z + 5] + nLen);
        z += 5 + nLen;
    }
    EXPECT_EQ(z + 4, zlib.size());
    EXPECT_EQ(BigEndian32(&zlib[z]), Adler32(out.m_raw.data(), out.m_raw.size()));
    return out;
}
} // namespace

TEST(PngEncoder, ChecksumsMatchTheirReferenceValues)
{
    const std::string text = "123456789";
    const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
    EXPECT_EQ(Crc32(p, 9), 0xCBF43926u);
    EXPECT_EQ(Crc32(p + 4, 5, Crc32(p, 4)), 0xCBF43926u); // continued
    EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>("IEND"), 4), 0xAE426082u);
    EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>("Wikipedia"), 9), 0x11E60398u);
    // Long runs of 0xFF overflow a 32-bit Adler sum that is reduced too late.
    std::vector<std::uint8_t> ones(100000, 0xFF);
    std::uint32_t a = 1, b = 0;
    for (auto byte : ones)
    {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(Adler32(ones.data(), ones.size()), (b << 16) | a);
}

TEST(PngEncoder, ImagesRoundTripThroughStoredBlocks)
{
    const std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const CDecodedPng small = Decode(EncodePng(3, 2, rgb));
    EXPECT_EQ(small.m_strChunks, "IHDR IDAT IEND ");
    EXPECT_EQ(small.m_ihdr,
              (std::vector<std::uint8_t>{0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0, 0})); // 8-bit RGB
    EXPECT_EQ(small.m_raw, (std::vector<std::uint8_t>{0, 1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                      0, 10, 11, 12, 13, 14, 15, 16, 17, 18}));

    // With alpha: colour type 6 and four bytes a pixel.
    const std::uint8_t rgba[] = {1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255};
    const CDecodedPng alpha = Decode(EncodePngRgba(1, 3, rgba));
    EXPECT_EQ(alpha.m_ihdr, (std::vector<std::uint8_t>{0, 0, 0, 1, 0, 0, 0, 3, 8, 6, 0, 0, 0}));
    EXPECT_EQ(alpha.m_raw,
              (std::vector<std::uint8_t>{0, 1, 2, 3, 0, 0, 4, 5, 6, 128, 0, 7, 8, 9, 255}));

    // The map's size needs several blocks of at most 65,535 bytes.
    CPixelCanvas canvas(584, 564, kWhite);
    canvas.FillRect(100, 200, 300, 400, CRgb{12, 34, 56});
    const CDecodedPng large = Decode(EncodePng(584, 564, canvas.Rgb().data()));
    const std::size_t nRow = 584 * 3 + 1;
    ASSERT_EQ(large.m_raw.size(), nRow * 564);
    EXPECT_EQ(large.m_nBlocks, static_cast<int>((nRow * 564 + 65534) / 65535));
    for (int y : {0, 199, 200, 399, 563})
    {
        EXPECT_EQ(large.m_raw[nRow * y], 0) << y; // no filter
        EXPECT_EQ(large.m_raw[nRow * y + 1 + 150 * 3 + 2], (y >= 200 && y < 400) ? 56 : 255) << y;
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
    EXPECT_EQ(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}),
              EncodePng(5, 4, canvas.Rgb().data()));
    in.close(); // Windows removes no file that is open

    std::string strError;
    EXPECT_FALSE(canvas.WritePng((dir / "missing" / "b.png").string(), &strError));
    EXPECT_NE(strError.find("b.png"), std::string::npos) << strError;
    fs::remove_all(dir);
}
