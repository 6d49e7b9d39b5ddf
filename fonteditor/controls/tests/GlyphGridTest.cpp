#include "GlyphGrid.h"

#include "FakeControlHost.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace
{
constexpr CRgb kShadow{160, 160, 160};

struct GlyphGridTest : ::testing::Test
{
    CFakeControlHost host{{384, 385}};
    CRecordingMessageTarget parent;
    CGlyphGrid grid{host, parent};

    std::vector<CLineCall> Paint(unsigned w, unsigned h)
    {
        grid.SetGlyphSize(w, h);
        CRecordingCanvas canvas;
        grid.OnPaint(canvas);
        return canvas.Lines();
    }

    // The positions of the lines in one direction drawn with the given width.
    static std::vector<int> Positions(const std::vector<CLineCall>& lines, bool bVertical,
                                      int nWidth)
    {
        std::vector<int> positions;
        for (const auto& line : lines)
            if ((line.m_x0 == line.m_x1) == bVertical && line.m_nWidth == nWidth)
                positions.push_back(bVertical ? line.m_x0 : line.m_y0);
        return positions;
    }
};
} // namespace

TEST_F(GlyphGridTest, SixteenBySixteenHasOneHeavyLineEachWay)
{
    const auto lines = Paint(16, 16);
    ASSERT_EQ(lines.size(), 30u);
    // Cells of 24 x 24 on 384 x 385: vertical lines first, then horizontal.
    for (int i = 0; i < 15; ++i)
    {
        const bool bHeavy = i == 7;
        EXPECT_EQ(lines[i], (CLineCall{24 * (i + 1), 0, 24 * (i + 1), 385, bHeavy ? 2 : 1,
                                       bHeavy ? kBlack : kShadow}))
            << i;
        EXPECT_EQ(lines[15 + i], (CLineCall{0, 24 * (i + 1), 384, 24 * (i + 1), bHeavy ? 2 : 1,
                                            bHeavy ? kBlack : kShadow}))
            << i;
    }
    EXPECT_EQ(Positions(lines, true, 2), std::vector<int>{192});
    EXPECT_EQ(Positions(lines, false, 2), std::vector<int>{192});
}

TEST_F(GlyphGridTest, HeavyLinesFollowEveryEighthCell)
{
    const auto small = Paint(8, 8);
    EXPECT_EQ(small.size(), 14u);
    EXPECT_TRUE(Positions(small, true, 2).empty());
    EXPECT_TRUE(Positions(small, false, 2).empty());
    EXPECT_EQ(Positions(small, true, 1).front(), 48); // 384 / 8

    const auto large = Paint(32, 32); // cells of 12 x 12
    EXPECT_EQ(large.size(), 62u);
    EXPECT_EQ(Positions(large, true, 2), (std::vector<int>{96, 192, 288}));
    EXPECT_EQ(Positions(large, false, 2), (std::vector<int>{96, 192, 288}));
    EXPECT_EQ(Positions(large, true, 1).size(), 28u);
}

TEST_F(GlyphGridTest, NarrowGlyphsStillGetASquareGrid)
{
    const auto lines = Paint(8, 16);
    EXPECT_EQ(Positions(lines, true, 1).size() + Positions(lines, true, 2).size(), 15u);
    EXPECT_EQ(Positions(lines, true, 2), std::vector<int>{192});

    // Clicks in the right half take the focus and do nothing else.
    grid.OnLButtonUp(200, 10);
    EXPECT_EQ(host.m_nFocusCalls, 1);
    EXPECT_TRUE(parent.m_messages.empty());
    EXPECT_EQ(grid.m_bModified, 0);
    EXPECT_EQ(grid.m_glyph.m_bits, CGlyph{}.m_bits);

    grid.OnLButtonUp(191, 384); // column 7, row 16 of 16 rows: outside too
    EXPECT_TRUE(parent.m_messages.empty());
    grid.OnLButtonUp(191, 383);
    EXPECT_EQ(parent.m_messages,
              (std::vector<CRecordingMessageTarget::CMessage>{{WM_PIXELTOGGLED, 7, 15}}));
}

TEST_F(GlyphGridTest, LitPixelsFillTheirCellsBeforeTheLinesAreDrawn)
{
    grid.SetGlyphSize(16, 16);
    grid.m_glyph.SetPixel(0, 0, 1);
    grid.m_glyph.SetPixel(10, 13, 1);
    CRecordingCanvas canvas;
    grid.OnPaint(canvas);
    ASSERT_GE(canvas.m_calls.size(), 3u);
    EXPECT_EQ(std::get<CFillRectCall>(canvas.m_calls[0]), (CFillRectCall{0, 0, 384, 385, kWhite}));
    EXPECT_EQ(std::get<CFillRectCall>(canvas.m_calls[1]), (CFillRectCall{0, 0, 24, 24, kBlack}));
    EXPECT_EQ(std::get<CFillRectCall>(canvas.m_calls[2]),
              (CFillRectCall{240, 312, 264, 336, kBlack}));
    EXPECT_EQ(canvas.Fills().size(), 3u);
    EXPECT_TRUE(std::holds_alternative<CLineCall>(canvas.m_calls[3]));
}

TEST_F(GlyphGridTest, ClickTogglesOnePixelAndTellsTheParent)
{
    grid.SetGlyphSize(16, 16);
    const int nInvalidations = host.m_nInvalidations;
    grid.OnLButtonUp(250, 320); // 250 / 24 = 10, 320 / 24 = 13
    EXPECT_EQ(grid.m_glyph.GetPixel(10, 13), 1);
    EXPECT_EQ(grid.m_glyph.m_bits[26], 0x04);
    EXPECT_EQ(grid.m_bModified, 1);
    EXPECT_EQ(host.m_nFocusCalls, 1);
    EXPECT_EQ(host.m_nInvalidations, nInvalidations + 1);
    EXPECT_EQ(parent.m_messages,
              (std::vector<CRecordingMessageTarget::CMessage>{{WM_PIXELTOGGLED, 10, 13}}));

    // The second click on the cell restores the pixel; the glyph stays modified.
    grid.OnLButtonUp(263, 335);
    EXPECT_EQ(grid.m_glyph.m_bits, CGlyph{}.m_bits);
    EXPECT_EQ(grid.m_bModified, 1);
    EXPECT_EQ(parent.m_messages.size(), 2u);
}

TEST_F(GlyphGridTest, ClicksOffTheCellsOrOnATinyGridToggleNothing)
{
    grid.OnLButtonUp(-1, 5);
    grid.OnLButtonUp(5, -30);
    host.m_size = {10, 10}; // smaller than 16 cells of one pixel
    grid.OnLButtonUp(5, 5);
    CRecordingCanvas canvas;
    grid.OnPaint(canvas); // must not divide by zero either
    EXPECT_TRUE(parent.m_messages.empty());
    EXPECT_EQ(grid.m_bModified, 0);
    EXPECT_EQ(host.m_nFocusCalls, 3);
}

TEST_F(GlyphGridTest, SizeAndLoadTouchOnlyWhatTheySay)
{
    grid.m_glyph.m_bits.fill(0xAA);
    grid.m_glyph.m_nCode = 7;
    grid.m_bModified = 1;
    grid.SetGlyphSize(8, 8);
    EXPECT_EQ(grid.m_glyph.m_nCode, 7u);
    EXPECT_EQ(grid.m_bModified, 1);
    EXPECT_EQ(grid.m_glyph.m_bits[127], 0xAA);
    EXPECT_EQ(host.m_nInvalidations, 1);

    std::uint8_t source[128];
    for (int i = 0; i < 128; ++i)
        source[i] = static_cast<std::uint8_t>(i);
    grid.LoadGlyph(0x1234, source);
    EXPECT_EQ(grid.m_glyph.m_nCode, 0x1234u);
    EXPECT_EQ(grid.m_bModified, 0);
    EXPECT_EQ(grid.m_glyph.m_bits[7], 7);    // the glyph's 8 bytes are taken
    EXPECT_EQ(grid.m_glyph.m_bits[8], 0xAA); // the rest is left
    EXPECT_EQ(host.m_nInvalidations, 2);
}
