#include "PixelCanvas.h"

#include "LabelFont.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
constexpr CRgb kRed{255, 0, 0};

// The canvas as rows of characters: '#' for colour, '.' for anything else.
std::vector<std::string> Rows(const CPixelCanvas& canvas, CRgb colour)
{
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.Height(); ++y)
    {
        std::string row;
        for (int x = 0; x < canvas.Width(); ++x)
            row += canvas.GetPixel(x, y) == colour ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}
} // namespace

TEST(PixelCanvas, FillsExcludeRightAndBottomAndClipAtTheEdges)
{
    CPixelCanvas canvas(6, 4, kWhite);
    canvas.FillRect(1, 1, 3, 3, kRed);
    canvas.FillRect(-5, -5, 1, 1, kRed);   // only (0, 0) is inside
    canvas.FillRect(5, 3, 100, 100, kRed); // only (5, 3)
    canvas.FillRect(4, 0, 4, 4, kRed);     // empty
    canvas.FillRect(3, 2, 2, 3, kRed);     // right before left: empty
    EXPECT_EQ(Rows(canvas, kRed),
              (std::vector<std::string>{"#.....", ".##...", ".##...", ".....#"}));
}

TEST(PixelCanvas, PenWidthsSpreadBeforeTheCoordinateFirst)
{
    CPixelCanvas canvas(8, 6, kWhite);
    canvas.Line(1, 0, 1, 6, 1, kRed);
    canvas.Line(4, 1, 4, 5, 2, kRed); // columns 3 and 4, rows 1 to 4
    canvas.Line(7, 6, 7, 2, 3, kRed); // upward: rows 5 down to 3; columns 6, 7 (8 clipped)
    EXPECT_EQ(Rows(canvas, kRed), (std::vector<std::string>{
                                      ".#......",
                                      ".#.##...",
                                      ".#.##...",
                                      ".#.##.##",
                                      ".#.##.##",
                                      ".#....##",
                                  }));

    CPixelCanvas rows(6, 5, kWhite);
    rows.Line(0, 2, 6, 2, 2, kRed); // rows 1 and 2, the whole width
    rows.Line(5, 4, 1, 4, 1, kRed); // leftward: columns 5 down to 2
    EXPECT_EQ(Rows(rows, kRed),
              (std::vector<std::string>{"......", "######", "######", "......", "..####"}));
}

TEST(PixelCanvas, DiagonalLinesStopBeforeTheirEnd)
{
    CPixelCanvas canvas(4, 4, kWhite);
    canvas.Line(0, 0, 3, 3, 1, kRed);
    canvas.Line(2, 2, 2, 2, 1, kBlack); // a line to its own start draws nothing
    EXPECT_EQ(Rows(canvas, kRed), (std::vector<std::string>{"#...", ".#..", "..#.", "...."}));
}

TEST(PixelCanvas, TextDrawsLabelGlyphsOnATransparentBackground)
{
    CPixelCanvas canvas(14, 8, kWhite);
    canvas.FillRect(0, 7, 14, 8, kRed);
    canvas.Text(1, 0, "1f", kBlack);
    EXPECT_EQ(Rows(canvas, kBlack), (std::vector<std::string>{
                                        "...#...#####..",
                                        "..##...#......",
                                        "...#...#......",
                                        "...#...####...",
                                        "...#...#......",
                                        "...#...#......",
                                        "..###..#......",
                                        "..............",
                                    }));
    // The row under the glyphs keeps its colour: no background is painted.
    EXPECT_EQ(canvas.GetPixel(3, 7), kRed);
    EXPECT_EQ(LabelTextWidth("01F0"), 24);
}

TEST(PixelCanvas, CharactersOutsideTheFontShowAsBoxes)
{
    EXPECT_EQ(LabelGlyph('?'), (CLabelGlyph{0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F}));
    EXPECT_EQ(LabelGlyph(' '), CLabelGlyph{});
    EXPECT_EQ(LabelGlyph('c'), LabelGlyph('C'));
    const std::string digits = "0123456789ABCDEF";
    for (std::size_t i = 0; i + 1 < digits.size(); ++i)
        EXPECT_NE(LabelGlyph(digits[i]), LabelGlyph(digits[i + 1])) << digits[i];
}
