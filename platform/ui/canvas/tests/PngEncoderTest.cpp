#include "PngEncoder.h"

#include "PixelCanvas.h"
#include "TempFolder.h"

#include <cstring>
#include <string>
#include <zlib.h>

#include <gtest/gtest.h>

namespace
{
void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t n)
{
    for (int shift : {24, 16, 8, 0})
        out.push_back(static_cast<std::uint8_t>(n >> shift));
}

// A PNG put together by hand from already filtered rows, the way other
// tools write them.
std::vector<std::uint8_t> HandMadePng(int nWidth, int nHeight, std::uint8_t nColourType,
                                      const std::vector<std::uint8_t>& filtered)
{
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&](const char* pszType, const std::vector<std::uint8_t>& data)
    {
        PutBigEndian32(png, static_cast<std::uint32_t>(data.size()));
        const std::size_t nTypeAt = png.size();
        png.insert(png.end(), pszType, pszType + 4);
        png.insert(png.end(), data.begin(), data.end());
        PutBigEndian32(png, Crc32(&png[nTypeAt], 4 + data.size()));
    };
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, static_cast<std::uint32_t>(nWidth));
    PutBigEndian32(header, static_cast<std::uint32_t>(nHeight));
    header.insert(header.end(), {8, nColourType, 0, 0, 0});
    chunk("IHDR", header);
    uLongf nSize = ::compressBound(static_cast<uLong>(filtered.size()));
    std::vector<std::uint8_t> zlib(nSize);
    ::compress(zlib.data(), &nSize, filtered.data(), static_cast<uLong>(filtered.size()));
    zlib.resize(nSize);
    chunk("IDAT", zlib);
    chunk("IEND", {});
    return png;
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

TEST(PngEncoder, ImagesRoundTripAndFlatPicturesShrink)
{
    const std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    const auto small = DecodePng(EncodePng(3, 2, rgb));
    ASSERT_TRUE(small);
    EXPECT_EQ(small->m_nWidth, 3);
    EXPECT_EQ(small->m_nHeight, 2);
    EXPECT_EQ(small->m_nChannels, 3);
    EXPECT_EQ(small->m_pixels, std::vector<std::uint8_t>(rgb, rgb + 18));

    const std::uint8_t rgba[] = {1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255};
    const auto alpha = DecodePng(EncodePngRgba(1, 3, rgba));
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->m_nChannels, 4);
    EXPECT_EQ(alpha->m_pixels, std::vector<std::uint8_t>(rgba, rgba + 12));

    // A screen-sized picture of flat colours: every pixel back, in a small file.
    CPixelCanvas canvas(584, 564, kWhite);
    canvas.FillRect(100, 200, 300, 400, CRgb{12, 34, 56});
    const std::vector<std::uint8_t> png = EncodePng(584, 564, canvas.Rgb().data());
    EXPECT_LT(png.size(), canvas.Rgb().size() / 50);
    const auto large = DecodePng(png);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->m_pixels, canvas.Rgb());
}

TEST(PngEncoder, ReadsFilteredRowsAndRefusesWhatItCannotRead)
{
    // Two RGB pixels a row; row 0 Sub, row 1 Up, row 2 Average, row 3 Paeth.
    const std::vector<std::uint8_t> filtered{
        1, 10, 20, 30, 5, 5, 5,  // Sub: second pixel 15 25 35
        2, 1,  1,  1,  1, 1, 1,  // Up: 11 21 31 16 26 36
        3, 6,  11, 16, 0, 0, 0,  // Average: 17 32 47, then (17+16)/2 .. 16 29 41
        4, 0,  0,  0,  1, 1, 1}; // Paeth: 17 32 47, then 18 33 48
    const auto image = DecodePng(HandMadePng(2, 4, 2, filtered));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->m_pixels,
              (std::vector<std::uint8_t>{10, 20, 30, 15, 25, 35, 11, 21, 31, 16, 26, 36,
                                         11, 21, 31, 13, 23, 33, 11, 21, 31, 14, 24, 34}));

    std::string strError;
    std::vector<std::uint8_t> png = EncodePng(2, 2, filtered.data());
    EXPECT_FALSE(DecodePng({png.begin(), png.begin() + 40}, &strError));
    EXPECT_EQ(strError, "the file ends inside a chunk");
    png[30] ^= 1; // inside the header's data
    EXPECT_FALSE(DecodePng(png, &strError));
    EXPECT_EQ(strError, "a chunk's checksum is wrong");
    EXPECT_FALSE(DecodePng({'G', 'I', 'F', '8', '9', 'a', 0, 0}, &strError));
    EXPECT_EQ(strError, "not a PNG file");
    // A forged header asks for a picture of 2^32 pixels: refused before inflating.
    EXPECT_FALSE(DecodePng(HandMadePng(65536, 65536, 2, {0}), &strError));
    EXPECT_EQ(strError, "the picture's size is out of range");
    EXPECT_FALSE(DecodePng(HandMadePng(1, 1, 2, {7, 1, 2, 3}), &strError));
    EXPECT_EQ(strError, "a row has an unknown filter");
}

TEST(PngEncoder, WritesFilesAndReportsWhereItCannot)
{
    const CTempFolder folder;
    CPixelCanvas canvas(5, 4, kBlack);
    ASSERT_TRUE(canvas.WritePng(folder / "a.png"));
    const std::vector<std::uint8_t> png = EncodePng(5, 4, canvas.Rgb().data());
    EXPECT_EQ(folder.Read("a.png"), std::string(png.begin(), png.end()));

    std::string strError;
    EXPECT_FALSE(canvas.WritePng(folder / "missing/b.png", &strError));
    EXPECT_NE(strError.find("b.png"), std::string::npos) << strError;
}
