#include "GlyphGrid.h"

#include "FakeControlHost.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace
{
constexpr CRgb kShadow{160, 160, 160};
using CMessages = std::vector<CSentMessage>;

struct GlyphGridTest : ::testing::Test
{
    CFakeControlHost host{{384, 385}};
    CRecordingMessageTarget parent;
    CGlyphGrid grid{host, parent};

    CRecordingCanvas Paint(unsigned w, unsigned h)
    {
        grid.SetGlyphSize(w, h);
        CRecordingCanvas canvas;
        grid.OnPaint(canvas);
        return canvas;
    }

    // Where the lines of one direction and width lie.
    static std::vector<int> Positions(const CRecordingCanvas& canvas, bool bVertical, int nWidth)
    {
        std::vector<int> positions;
        for (const auto& line : canvas.Lines())
            if ((line.m_x0 == line.m_x1) == bVertical && line.m_nWidth == nWidth)
                positions.push_back(bVertical ? line.m_x0 : line.m_y0);
        return positions;
    }
};
} // namespace

TEST_F(GlyphGridTest, SixteenBySixteenHasOneHeavyLineEachWay)
{
    const auto lines = Paint(16, 16).Lines();
    ASSERT_EQ(lines.size(), 30u);
    // Cells of 24 x 24 on 384 x 385: vertical lines first, then horizontal.
    for (int i = 0; i < 15; ++i)
    {
        const int nWidth = i == 7 ? 2 : 1;
        const CRgb colour = i == 7 ? kBlack : kShadow;
        const int at = 24 * (i + 1);
        EXPECT_EQ(lines[i], (CLineCall{at, 0, at, 385, nWidth, colour})) << i;
        EXPECT_EQ(lines[15 + i], (CLineCall{0, at, 384, at, nWidth, colour})) << i;
    }
}

TEST_F(GlyphGridTest, HeavyLinesFollowEveryEighthCell)
{
    const auto small = Paint(8, 8);
    EXPECT_EQ(small.Lines().size(), 14u);
    EXPECT_TRUE(Positions(small, true, 2).empty());
    EXPECT_TRUE(Positions(small, false, 2).empty());

    const auto large = Paint(32, 32); // cells of 12 x 12
    EXPECT_EQ(large.Lines().size(), 62u);
    EXPECT_EQ(Positions(large, true, 2), (std::vector<int>{96, 192, 288}));
    EXPECT_EQ(Positions(large, false, 2), (std::vector<int>{96, 192, 288}));

    const auto narrow = Paint(8, 16); // still 16 x 16 cells
    EXPECT_EQ(narrow.Lines().size(), 30u);
    EXPECT_EQ(Positions(narrow, true, 2), std::vector<int>{192});
}

TEST_F(GlyphGridTest, LitPixelsFillTheirCellsBeforeTheLines)
{
    grid.m_glyph.SetPixel(0, 0, 1);
    grid.m_glyph.SetPixel(10, 13, 1);
    const auto canvas = Paint(16, 16);
    ASSERT_GE(canvas.m_calls.size(), 4u);
    EXPECT_EQ(std::get<CFillRectCall>(canvas.m_calls[0]), (CFillRectCall{0, 0, 384, 385, kWhite}));
    EXPECT_EQ(std::get<CFillRectCall>(canvas.m_calls[1]), (CFillRectCall{0, 0, 24, 24, kBlack}));
    EXPECT_EQ(std::get<CFillRectCall>(canvas.m_calls[2]),
              (CFillRectCall{240, 312, 264, 336, kBlack}));
    EXPECT_TRUE(std::holds_alternative<CLineCall>(canvas.m_calls[3]));
}

TEST_F(GlyphGridTest, ClickTogglesOnePixelAndTellsTheParent)
{
    grid.OnLButtonUp(250, 320); // 250 / 24 = 10, 320 / 24 = 13
    EXPECT_EQ(grid.m_glyph.m_bits[26], 0x04);
    EXPECT_EQ(grid.m_bModified, 1);
    EXPECT_EQ(host.m_nInvalidations, 1);
    EXPECT_EQ(parent.m_messages, (CMessages{{WM_PIXELTOGGLED, 10, 13}}));

    // The second click on the cell restores the pixel; the glyph stays modified.
    grid.OnLButtonUp(263, 335);
    EXPECT_EQ(grid.m_glyph.m_bits, CGlyph{}.m_bits);
    EXPECT_EQ(grid.m_bModified, 1);
    EXPECT_EQ(parent.m_messages.size(), 2u);
}

TEST_F(GlyphGridTest, ClicksOutsideTheGlyphDoNothing)
{
    grid.SetGlyphSize(8, 16);
    grid.OnLButtonUp(200, 10);  // the right half of an 8 x 16 grid
    grid.OnLButtonUp(191, 384); // below the 16th row
    grid.OnLButtonUp(-1, 5);
    host.m_size = {10, 10}; // too small for 16 cells: none to hit
    grid.OnLButtonUp(5, 5);
    CRecordingCanvas canvas;
    grid.OnPaint(canvas); // and no division by zero
    EXPECT_TRUE(parent.m_messages.empty());
    EXPECT_EQ(grid.m_bModified, 0);
    host.m_size = {384, 385};
    grid.OnLButtonUp(191, 383);
    EXPECT_EQ(parent.m_messages, (CMessages{{WM_PIXELTOGGLED, 7, 15}}));
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
