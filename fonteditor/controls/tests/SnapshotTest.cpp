// The map painted into pixels: the drawing together with the pixel canvas's
// pen layout, checked where a user looks.
#include "CharMap.h"
#include "FakeControlHost.h"
#include "PixelCanvas.h"

#include <gtest/gtest.h>

TEST(Snapshot, MapOfAFullyLitSmallPage)
{
    CRecordingMessageTarget parent;
    CFakeControlHost host{{600, 600}};
    CCharMap map(host, parent);
    map.SetGlyphSize(8, 8);
    map.m_pageBits.fill(0xFF);
    map.m_changed[16 * 5] = 1;
    map.m_nSelCol = 3;
    map.m_nSelRow = 2;
    CPixelCanvas canvas(CCharMap::kWidth, CCharMap::kHeight);
    map.OnPaint(canvas);

    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            ASSERT_NE(canvas.GetPixel(x, y), CPixelCanvas::kUnpainted) << x << "," << y;
    // Face edges show left of and above the glyph, which starts one pixel in.
    EXPECT_EQ(canvas.GetPixel(40 + 34 * 3 - 1, 20 + 34 * 2 + 5), canvas.m_highlight);
    EXPECT_EQ(canvas.GetPixel(40 + 5, 20 + 34 * 5 - 1), CCharMap::kChangedColour);
    EXPECT_EQ(canvas.GetPixel(40 - 1, 20 + 5), kWhite);
    EXPECT_EQ(canvas.GetPixel(40 + 34 * 3 + 5, 20 + 34 * 2 + 5), kBlack);
    // A line's two columns; a glyph at scale 4 reaches into the first.
    EXPECT_EQ(canvas.GetPixel(37, 100), canvas.m_buttonShadow);
    EXPECT_EQ(canvas.GetPixel(38, 100), canvas.m_buttonShadow);
    EXPECT_EQ(canvas.GetPixel(71, 100), kBlack);
    EXPECT_EQ(canvas.GetPixel(72, 100), canvas.m_buttonShadow);
    // Labels: '0' has its top row at columns 1 to 3.
    EXPECT_EQ(canvas.GetPixel(48, 2), kWhite);
    EXPECT_EQ(canvas.GetPixel(48 + 1, 2), kBlack);
    EXPECT_EQ(canvas.GetPixel(2 + 1, 28), kBlack);
}
