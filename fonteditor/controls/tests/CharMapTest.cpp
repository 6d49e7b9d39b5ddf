#include "CharMap.h"

#include "FakeControlHost.h"
#include "PixelCanvas.h"
#include "RecordingCanvas.h"

#include <cstdio>

#include <gtest/gtest.h>

namespace
{
constexpr CRgb kShadow{160, 160, 160};
constexpr CRgb kHighlight{0, 120, 215};
using CMessages = std::vector<CSentMessage>;

struct CharMapTest : ::testing::Test
{
    CFakeControlHost host{{584, 620}};
    CRecordingMessageTarget parent;
    CCharMap map{host, parent};

    CRecordingCanvas Paint()
    {
        CRecordingCanvas canvas;
        map.OnPaint(canvas);
        return canvas;
    }
    // The black fills: the glyph pixels.
    std::vector<CFillRectCall> Pixels()
    {
        auto fills = Paint().Fills();
        std::erase_if(fills, [](const CFillRectCall& f) { return f.m_colour != kBlack; });
        return fills;
    }
};
} // namespace

TEST_F(CharMapTest, LinesAndLabelsOfAPage)
{
    map.m_nFirstCode = 0x100;
    const CRecordingCanvas canvas = Paint();
    EXPECT_EQ(canvas.Fills().front(), (CFillRectCall{0, 0, 584, 564, kWhite}));
    const auto lines = canvas.Lines();
    const auto texts = canvas.Texts();
    ASSERT_EQ(lines.size(), 34u);
    ASSERT_EQ(texts.size(), 32u);
    for (int k = 0; k <= 16; ++k)
    {
        EXPECT_EQ(lines[k], (CLineCall{38 + 34 * k, 0, 38 + 34 * k, 564, 2, kShadow})) << k;
        EXPECT_EQ(lines[17 + k], (CLineCall{0, 18 + 34 * k, 584, 18 + 34 * k, 2, kShadow})) << k;
    }
    for (int k = 0; k < 16; ++k)
    {
        const std::string digit(1, "0123456789ABCDEF"[k]);
        EXPECT_EQ(texts[k], (CTextCall{48 + 34 * k, 2, digit, kBlack}));
        EXPECT_EQ(texts[16 + k], (CTextCall{2, 28 + 34 * k, "01" + digit + "0", kBlack}));
    }
    // Longer codes: the last four digits under the rest, both in the margin.
    map.m_nFirstCode = 0x12300;
    const auto longTexts = Paint().Texts();
    ASSERT_EQ(longTexts.size(), 48u);
    EXPECT_EQ(longTexts[46], (CTextCall{2, 20 + 34 * 15 + 1, "1", kBlack}));
    EXPECT_EQ(longTexts[47], (CTextCall{2, 20 + 34 * 15 + 17, "23F0", kBlack}));
}

TEST_F(CharMapTest, RowLabelsStayInsideTheirMarginForEveryCode)
{
    for (const std::uint32_t nFirst : {0xFF00u, 0x607A00u, 0x1234500u, 0xFFFFFF00u})
    {
        SCOPED_TRACE(nFirst);
        map.m_nFirstCode = nFirst;
        CPixelCanvas canvas(CCharMap::kWidth, CCharMap::kHeight);
        map.OnPaint(canvas);
        // No label pixel reaches the margin's line or the cells.
        for (int y = CCharMap::kTopMargin; y < CCharMap::kHeight; ++y)
            for (int x = CCharMap::kLeftMargin - 3; x < CCharMap::kWidth; ++x)
                ASSERT_NE(canvas.GetPixel(x, y), kBlack) << x << "," << y;
        // Every digit of the first row's label is drawn: count the inked
        // columns of the label's glyphs over both its lines.
        int nInkedGlyphs = 0;
        for (int nLine :
             {CCharMap::kTopMargin + 1, CCharMap::kTopMargin + 8, CCharMap::kTopMargin + 17})
            for (int g = 0; g < 6; ++g)
            {
                bool bInk = false;
                for (int y = nLine; y < nLine + 7; ++y)
                    for (int x = 2 + 6 * g; x < 7 + 6 * g; ++x)
                        bInk = bInk || canvas.GetPixel(x, y) == kBlack;
                nInkedGlyphs += bInk;
            }
        char szExpected[16];
        EXPECT_EQ(nInkedGlyphs, std::snprintf(szExpected, sizeof szExpected, "%04X", nFirst));
    }
}

TEST_F(CharMapTest, ScaleFollowsTheGeometry)
{
    const struct
    {
        unsigned w, h;
        int s;
    } cases[] = {{8, 8, 4}, {16, 16, 2}, {8, 12, 2}, {24, 16, 1}, {16, 24, 1}, {32, 32, 1}};
    for (const auto& c : cases)
    {
        map.SetGlyphSize(c.w, c.h);
        map.m_pageBits.fill(0);
        map.m_glyph.SetPixel(1, 1, 1, map.GetCell(2, 3));
        const auto pixels = Pixels();
        ASSERT_EQ(pixels.size(), 1u) << c.w << "x" << c.h;
        const int x = 40 + 34 * 2 + c.s, y = 20 + 34 * 3 + c.s;
        EXPECT_EQ(pixels[0], (CFillRectCall{x, y, x + c.s, y + c.s, kBlack})) << c.w << "x" << c.h;
    }
    // Rows 12 to 15 of the second band are no part of an 8 x 12 glyph.
    map.SetGlyphSize(8, 12);
    map.m_pageBits.fill(0xFF);
    EXPECT_EQ(Pixels().size(), 256u * 8 * 12);
}

TEST_F(CharMapTest, SelectedColourCoversTheChangedOne)
{
    map.m_changed[16 * 2 + 3] = 1;
    map.m_changed[16 * 5 + 0] = 7; // any non-zero value marks
    map.m_nSelCol = 3;
    map.m_nSelRow = 2;
    const auto fills = Paint().Fills();
    ASSERT_EQ(fills.size(), 4u);
    const int x = 40 + 34 * 3 - 1, y = 20 + 34 * 2 - 1;
    EXPECT_EQ(fills[1], (CFillRectCall{x, y, x + 32, y + 32, CCharMap::kChangedColour}));
    EXPECT_EQ(fills[2], (CFillRectCall{x, y, x + 32, y + 32, kHighlight}));
    EXPECT_EQ(fills[3], (CFillRectCall{39, 189, 71, 221, CCharMap::kChangedColour}));
}

TEST_F(CharMapTest, ClicksSelectTheCellUnderThem)
{
    map.OnLButtonUp(40 + 34 * 5 + 20, 20 + 34 * 9 + 3);
    EXPECT_EQ(map.m_nSelCol, 5);
    EXPECT_EQ(map.m_nSelRow, 9);
    EXPECT_EQ(host.m_nInvalidations, 1);
    // The margins up to 33 pixels before the first column or row hit it.
    map.OnLButtonUp(7, 0);
    map.OnLButtonUp(583, 563);
    EXPECT_EQ(
        parent.m_messages,
        (CMessages{{WM_SELECTGLYPH, 5, 9}, {WM_SELECTGLYPH, 0, 0}, {WM_SELECTGLYPH, 15, 15}}));

    // Further out there is no cell.
    for (auto [x, y] : {std::pair{6, 100}, {584, 100}, {100, 564}, {100, 619}})
        map.OnLButtonUp(x, y);
    EXPECT_EQ(parent.m_messages.size(), 3u);
    EXPECT_EQ(map.m_nSelCol, 15);
    EXPECT_EQ(host.m_nInvalidations, 3);
}

TEST_F(CharMapTest, CellsSitAtTheirGeometrysOffsets)
{
    map.SetGlyphSize(8, 8);
    EXPECT_EQ(map.GetCell(1, 0) - map.m_pageBits.data(), 8);
    EXPECT_EQ(map.GetCell(0, 1) - map.m_pageBits.data(), 128);
    map.m_nFirstCode = 0x300;
    map.SetGlyphSize(16, 8);
    EXPECT_EQ(map.m_nFirstCode, 0u);

    std::uint8_t source[128];
    std::fill(std::begin(source), std::end(source), 0x5A);
    map.StoreCell(1, 0, source);
    EXPECT_EQ(map.m_pageBits[15], 0);
    EXPECT_EQ(map.m_pageBits[16], 0x5A);
    EXPECT_EQ(map.m_pageBits[31], 0x5A);
    EXPECT_EQ(map.m_pageBits[32], 0);
    EXPECT_EQ(host.m_nInvalidations, 3);
}
