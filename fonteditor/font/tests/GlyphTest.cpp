#include "Glyph.h"

#include <gtest/gtest.h>

namespace
{
CGlyph Glyph(unsigned w, unsigned h)
{
    CGlyph g;
    g.m_nWidth = w;
    g.m_nHeight = h;
    return g;
}

int LitCount(const CGlyph& g)
{
    int n = 0;
    for (auto b : g.m_bits)
        n += __builtin_popcount(b);
    return n;
}
} // namespace

TEST(GlyphBytes, ClassicSizesAndEveryRowKept)
{
    const unsigned widths[] = {8, 16, 24, 32};
    const unsigned expected[4][5] = {
        {8, 16, 16, 24, 32}, {16, 32, 32, 48, 64}, {24, 48, 48, 72, 96}, {32, 64, 64, 96, 128}};
    const unsigned heights[] = {8, 12, 16, 24, 32};
    for (int w = 0; w < 4; ++w)
        for (int h = 0; h < 5; ++h)
            EXPECT_EQ(GlyphBytes(widths[w], heights[h]), expected[w][h])
                << widths[w] << "x" << heights[h];

    // Other heights store their last, partly used band.
    EXPECT_EQ(GlyphBytes(16, 1), 16u);
    EXPECT_EQ(GlyphBytes(16, 7), 16u);
    EXPECT_EQ(GlyphBytes(16, 9), 32u);
    EXPECT_EQ(GlyphBytes(32, 31), 128u);
    EXPECT_EQ(GlyphBytes(16, 0), 0u);
}

TEST(GlyphBytes, CountsAndPages)
{
    EXPECT_EQ(GlyphCount(8192, GlyphBytes(16, 16)), 256u);
    EXPECT_EQ(LastPageIndex(256), 0u);
    EXPECT_EQ(GlyphCount(8192, GlyphBytes(8, 8)), 1024u);
    EXPECT_EQ(LastPageIndex(1024), 3u);
    EXPECT_EQ(GlyphCount(33, 32), 1u); // the 33rd byte is no glyph
    EXPECT_EQ(GlyphCount(31, 32), 0u);
    EXPECT_EQ(LastPageIndex(0), 0u); // an empty font still has its first page
    EXPECT_EQ(LastPageIndex(257), 1u);
    EXPECT_EQ(GlyphCount(1000, 0), 0u);
    EXPECT_EQ(GlyphCount(0xFFFFFFFFull, 8), 0x1FFFFFFFu);
}

TEST(GlyphPixels, AddressingPerGeometry)
{
    CGlyph g16 = Glyph(16, 16);
    g16.SetPixel(10, 13, 1);
    EXPECT_EQ(g16.m_bits[26], 0x04);
    EXPECT_EQ(LitCount(g16), 1);
    EXPECT_EQ(g16.GetPixel(10, 13), 1);
    EXPECT_EQ(g16.GetPixel(10, 12), 0);

    CGlyph g12 = Glyph(16, 12);
    EXPECT_EQ(g12.Bytes(), 32u);
    g12.SetPixel(3, 11, 1);
    EXPECT_EQ(g12.m_bits[19], 0x10);

    CGlyph g8 = Glyph(8, 8);
    for (unsigned y = 0; y < 8; ++y)
        g8.SetPixel(0, y, 1);
    EXPECT_EQ(g8.m_bits[0], 0xFF);
    g8.m_bits.fill(0);
    for (unsigned x = 0; x < 8; ++x)
        g8.SetPixel(x, 0, 1);
    for (unsigned x = 0; x < 8; ++x)
        EXPECT_EQ(g8.m_bits[x], 0x80);

    // Clearing touches one bit only, and another buffer can be addressed.
    std::uint8_t other[128];
    std::fill(std::begin(other), std::end(other), 0xFF);
    g16.SetPixel(10, 13, 0, other);
    EXPECT_EQ(other[26], 0xFB);
    EXPECT_EQ(other[25], 0xFF);
    EXPECT_EQ(g16.GetPixel(10, 13, other), 0);
}

TEST(GlyphText, ToTextLayout)
{
    CGlyph g8 = Glyph(8, 8);
    g8.SetPixel(0, 0, 1);
    std::string text;
    g8.ToText(text);
    std::string expected = "10000000\r\n";
    for (int i = 0; i < 7; ++i)
        expected += "00000000\r\n";
    EXPECT_EQ(text, expected);

    CGlyph g32 = Glyph(32, 32);
    g32.SetPixel(31, 0, 1);
    g32.ToText(text);
    const auto firstLine = text.substr(0, text.find("\r\n"));
    EXPECT_EQ(firstLine.size(), 35u);
    EXPECT_EQ(firstLine, "00000000 00000000 00000000 00000001");
    EXPECT_EQ(text.size(), 32u * 37u);

    CGlyph g16 = Glyph(16, 12);
    g16.ToText(text);
    EXPECT_EQ(text.size(), 12u * 19u); // exactly H lines
}

TEST(GlyphText, FromTextIsLenient)
{
    CGlyph g = Glyph(16, 16);
    g.m_bits.fill(0xAA); // every byte is rebuilt

    g.FromText("1 1");
    EXPECT_EQ(g.GetPixel(0, 0), 1);
    EXPECT_EQ(g.GetPixel(8, 0), 1);
    EXPECT_EQ(LitCount(g), 2);

    CGlyph twoSpaces = Glyph(16, 16);
    twoSpaces.FromText("1  1");
    EXPECT_EQ(twoSpaces.m_bits, g.m_bits);

    CGlyph leading = Glyph(16, 16);
    leading.FromText("  1");
    EXPECT_EQ(leading.GetPixel(0, 0), 1);

    g.FromText("111111111"); // nine characters: columns 0 to 7 only
    EXPECT_EQ(LitCount(g), 8);
    EXPECT_EQ(g.GetPixel(8, 0), 0);

    g.FromText("x2#0");
    EXPECT_EQ(LitCount(g), 3);
    EXPECT_EQ(g.GetPixel(3, 0), 0);
}

TEST(GlyphText, LinesBeyondTheGlyphAndMissingLines)
{
    CGlyph g = Glyph(8, 8);
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "11111111\r\n";
    g.FromText(text);
    EXPECT_EQ(LitCount(g), 64);

    g.FromText("1\n\n1"); // fewer lines; the last one without a break is taken
    EXPECT_EQ(g.GetPixel(0, 0), 1);
    EXPECT_EQ(g.GetPixel(0, 2), 1);
    EXPECT_EQ(LitCount(g), 2);

    // Columns of a group past the width are not stored anywhere.
    CGlyph narrow = Glyph(8, 8);
    narrow.FromText("00000000 11111111");
    EXPECT_EQ(LitCount(narrow), 0);
    // Nor those of a partial group: the last columns of a 12-wide glyph's
    // second group would be the first columns of its next band of rows.
    CGlyph partial = Glyph(12, 16);
    partial.FromText("00000000 11111111");
    EXPECT_EQ(LitCount(partial), 4);
    CGlyph model = Glyph(12, 16);
    for (unsigned x = 8; x < 12; ++x)
        model.SetPixel(x, 0, 1);
    EXPECT_EQ(partial.m_bits, model.m_bits);
}

TEST(GlyphText, RoundTripsEveryGeometry)
{
    for (unsigned w : {8u, 16u, 24u, 32u})
        for (unsigned h = 1; h <= 32; ++h)
        {
            CGlyph g = Glyph(w, h);
            for (unsigned y = 0; y < h; ++y)
                for (unsigned x = 0; x < w; ++x)
                    g.SetPixel(x, y, (x * 7 + y * 3) % 5 == 0);
            std::string text;
            g.ToText(text);
            CGlyph back = Glyph(w, h);
            back.FromText(text);
            EXPECT_EQ(back.m_bits, g.m_bits) << w << "x" << h;
        }
}
