#include "SourceFile.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <zlib.h>

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<std::uint8_t>;

Bytes Compress(const Bytes& bytes)
{
    z_stream stream{};
    EXPECT_EQ(::deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    Bytes out(::deflateBound(&stream, bytes.size()) + 32);
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(::deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    ::deflateEnd(&stream);
    return out;
}
} // namespace

TEST(Gunzip, PlainBytesPassAndCompressedOnesInflate)
{
    std::string strError;
    const Bytes plain = {0x36, 0x04, 0x00, 0x10, 1, 2, 3};
    EXPECT_EQ(Gunzip(plain, 100, strError), plain);
    EXPECT_EQ(Gunzip(Compress(plain), 100, strError), plain);
    // Two members, as `cat a.gz b.gz` makes.
    Bytes twice = Compress(plain);
    const Bytes second = Compress({9, 8});
    twice.insert(twice.end(), second.begin(), second.end());
    EXPECT_EQ(Gunzip(twice, 100, strError), (Bytes{0x36, 0x04, 0x00, 0x10, 1, 2, 3, 9, 8}));
}

TEST(Gunzip, BombsDamageAndCutsAreRefused)
{
    std::string strError;
    // 64 MiB of zeros in some 64 KiB: stopped at the limit.
    const Bytes bomb = Compress(Bytes(64u << 20, 0));
    ASSERT_LT(bomb.size(), 100000u);
    EXPECT_FALSE(Gunzip(bomb, 1u << 20, strError));
    EXPECT_EQ(strError, "decompresses to larger than 1 MiB, too large for a font");
    EXPECT_FALSE(Gunzip(Bytes(2u << 20, 1), 1u << 20, strError));

    Bytes data(5000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 31 / 7);
    Bytes cut = Compress(data);
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(Gunzip(cut, 1u << 20, strError));
    EXPECT_EQ(strError, "the compressed data is cut short");
    Bytes damaged = Compress(data);
    for (std::size_t i = 12; i < damaged.size(); i += 3)
        damaged[i] ^= 0x5A;
    EXPECT_FALSE(Gunzip(damaged, 1u << 20, strError));
    EXPECT_EQ(strError.rfind("the compressed data is damaged", 0), 0u) << strError;
}

TEST(ReadFontSourceFile, NamesTheFileInEveryMessage)
{
    const CTempFolder folder;
    const auto& dir = folder.Path();
    std::string strError;
    const std::string strMissing = (dir / "missing.psf").string();
    EXPECT_FALSE(ReadFontSourceFile(strMissing, 100, strError));
    EXPECT_EQ(strError, strMissing + ": No such file or directory");

    const std::string strBig = (dir / "big.ttf").string();
    std::ofstream(strBig) << std::string(3000, 'x');
    EXPECT_FALSE(ReadFontSourceFile(strBig, 2048, strError));
    EXPECT_EQ(strError.rfind(strBig + ": larger than", 0), 0u) << strError;
    EXPECT_EQ(ReadFontSourceFile(strBig, 4096, strError)->size(), 3000u);
}
