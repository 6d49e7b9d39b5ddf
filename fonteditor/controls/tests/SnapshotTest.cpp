// The controls painted into pixels: the drawing algorithms together with
// the pixel canvas's pen layout, checked at the places a user looks at.
#include "CharMap.h"
#include "FakeControlHost.h"
#include "GlyphGrid.h"
#include "PixelCanvas.h"

#include <gtest/gtest.h>

namespace
{
struct SnapshotTest : ::testing::Test
{
    CRecordingMessageTarget parent;
    CFakeControlHost mapHost{{600, 600}};
    CFakeControlHost gridHost{{384, 385}};
};
} // namespace

TEST_F(SnapshotTest, MapOfAFullyLitSmallPage)
{
    CCharMap map(mapHost, parent);
    map.SetGlyphSize(8, 8);
    map.m_pageBits.fill(0xFF);
    map.m_changed[16 * 5] = 1;
    map.m_nSelCol = 3;
    map.m_nSelRow = 2;
    CPixelCanvas canvas(CCharMap::kWidth, CCharMap::kHeight);
    map.OnPaint(canvas);

    const CRgb shadow = canvas.m_buttonShadow;
    // Nothing of the bitmap is left unpainted.
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            ASSERT_NE(canvas.GetPixel(x, y), CPixelCanvas::kUnpainted) << x << "," << y;

    // Face edges left of and above the glyph, which starts one pixel in.
    EXPECT_EQ(canvas.GetPixel(40 + 34 * 3 - 1, 20 + 34 * 2 + 5), canvas.m_highlight);
    EXPECT_EQ(canvas.GetPixel(40 + 5, 20 + 34 * 5 - 1), CCharMap::kChangedColour);
    EXPECT_EQ(canvas.GetPixel(40 - 1, 20 + 5), kWhite);
    EXPECT_EQ(canvas.GetPixel(40 + 34 * 3 + 5, 20 + 34 * 2 + 5), kBlack);
    // The two columns of a line; a scale-4 glyph reaches into the first.
    EXPECT_EQ(canvas.GetPixel(37, 100), shadow);
    EXPECT_EQ(canvas.GetPixel(38, 100), shadow);
    EXPECT_EQ(canvas.GetPixel(71, 100), kBlack);
    EXPECT_EQ(canvas.GetPixel(72, 100), shadow);
    EXPECT_EQ(canvas.GetPixel(100, 17), shadow);
    EXPECT_EQ(canvas.GetPixel(100, 18), shadow);
    // Label "0" over column 0 and "0000" before row 0 ('0' has its top
    // row at columns 1 to 3).
    EXPECT_EQ(canvas.GetPixel(48 + 1, 2), kBlack);
    EXPECT_EQ(canvas.GetPixel(48, 2), kWhite);
    EXPECT_EQ(canvas.GetPixel(2 + 1, 28), kBlack);
    EXPECT_EQ(canvas.GetPixel(20, 10), kWhite);
}

TEST_F(SnapshotTest, GridOfOneLitPixel)
{
    CGlyphGrid grid(gridHost, parent);
    grid.m_glyph.SetPixel(10, 13, 1);
    CPixelCanvas canvas(384, 385);
    grid.OnPaint(canvas);

    const CRgb shadow = canvas.m_buttonShadow;
    EXPECT_EQ(canvas.GetPixel(245, 320), kBlack);
    EXPECT_EQ(canvas.GetPixel(263, 335), kBlack);
    EXPECT_EQ(canvas.GetPixel(264, 320), shadow); // the next cell's line
    EXPECT_EQ(canvas.GetPixel(240, 320), shadow); // lines are drawn over the cells
    EXPECT_EQ(canvas.GetPixel(245, 336), shadow);
    EXPECT_EQ(canvas.GetPixel(245, 337), kWhite);
    // The heavy line at 192 takes columns 191 and 192.
    EXPECT_EQ(canvas.GetPixel(190, 5), kWhite);
    EXPECT_EQ(canvas.GetPixel(191, 5), kBlack);
    EXPECT_EQ(canvas.GetPixel(192, 5), kBlack);
    EXPECT_EQ(canvas.GetPixel(193, 5), kWhite);
    // No line on the outer edges; the spare bottom row stays white.
    EXPECT_EQ(canvas.GetPixel(0, 100), kWhite);
    EXPECT_EQ(canvas.GetPixel(383, 100), kWhite);
    EXPECT_EQ(canvas.GetPixel(100, 384), kWhite);
}
