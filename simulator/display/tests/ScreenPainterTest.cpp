#include "ScreenPainter.h"

#include "PixelCanvas.h"
#include "ScaledCanvas.h"

#include <gtest/gtest.h>

namespace
{
using P = CScreenPainter;

// The colour every pixel of dot (x, y) of a cell has, or nothing when they differ.
std::optional<CRgb> DotColour(const CPixelCanvas& canvas, int nRow, int nColumn, int x, int y)
{
    const int nLeft = P::DotLeft(nColumn, x);
    const int nTop = P::DotTop(nRow, y);
    const CRgb colour = canvas.GetPixel(nLeft, nTop);
    for (int dy = 0; dy < P::kDotSize; ++dy)
        for (int dx = 0; dx < P::kDotSize; ++dx)
            if (!(canvas.GetPixel(nLeft + dx, nTop + dy) == colour))
                return std::nullopt;
    return colour;
}

// A glyph that is the same under no mirroring or shift: an "L" with a dot.
CGlyphBits LGlyph()
{
    CGlyphBits bits{};
    bits[0] = 0xFF; // column 0, rows 0 to 7
    bits[8] = 0xFF; // column 0, rows 8 to 15
    for (int x = 1; x < 8; ++x)
        bits[8 + x] = 0x01; // row 15
    bits[5] = 0x10;         // column 5, row 3
    return bits;
}

bool LDot(int x, int y)
{
    return x == 0 || y == 15 || (x == 5 && y == 3);
}

// An 8 x 12 font whose "A" is a 6-dot-wide outline and that has nothing else.
std::optional<CConsoleFont> FontWithOnlyA()
{
    std::vector<std::uint8_t> psf = {0x36, 0x04, 0x02, 12};
    std::vector<std::uint8_t> glyphs(256 * 12, 0);
    for (int y = 0; y < 12; ++y)
        glyphs[65 * 12 + y] = (y == 0 || y == 11) ? 0xFC : 0x84;
    psf.insert(psf.end(), glyphs.begin(), glyphs.end());
    for (unsigned g = 0; g < 256; ++g)
    {
        if (g == 65)
            psf.insert(psf.end(), {'A', 0});
        psf.insert(psf.end(), {0xFF, 0xFF});
    }
    std::string strError;
    const auto font = CConsoleFont::Parse(psf, strError);
    return font;
}

struct ScreenPainter : ::testing::Test
{
    CVirtualDisplay display;
    CPixelCanvas canvas{P::kWidth, P::kHeight};

    void StoreL(std::uint8_t nAreaCode, std::uint8_t nPage, std::size_t nGlyph)
    {
        std::array<std::uint8_t, kFontPageBytes> page{};
        const CGlyphBits bits = LGlyph();
        std::copy(bits.begin(), bits.end(), page.begin() + nGlyph * kGlyphBytes);
        ASSERT_TRUE(display.StoreFontPage(nAreaCode, nPage, page.data()));
    }
};
} // namespace

TEST_F(ScreenPainter, ADownloadedGlyphLightsExactlyItsDots)
{
    StoreL(0x03, 3, 0); // code 0xA0
    ASSERT_TRUE(display.SetCodeTable(0x0F));
    display.CursorTo(6, 2);
    display.WriteCharacter(0xA0);
    CScreenPainter(nullptr).Paint(display, canvas);

    const CRgb lit = P::LitColour(display);
    EXPECT_EQ(lit, P::kLit); // full brightness, highest contrast
    for (int y = 0; y < kCellDotsHigh; ++y)
        for (int x = 0; x < kCellDotsWide; ++x)
        {
            const auto colour = DotColour(canvas, 1, 5, x, y);
            ASSERT_TRUE(colour) << x << "," << y;
            EXPECT_EQ(*colour, LDot(x, y) ? lit : P::kUnlit) << x << "," << y;
        }
    // The gap between two lit neighbours glows; every other gap is glass.
    for (int x = 0; x < kCellDotsWide; ++x)
        for (int y = 0; y < kCellDotsHigh; ++y)
        {
            const int nRight = P::DotLeft(5, x) + P::kDotSize;
            const int nBelow = P::DotTop(1, y) + P::kDotSize;
            const bool bRightGlows = x < 7 && LDot(x, y) && LDot(x + 1, y);
            const bool bBelowGlows = y < 15 && LDot(x, y) && LDot(x, y + 1);
            EXPECT_EQ(canvas.GetPixel(nRight, P::DotTop(1, y) + 1),
                      bRightGlows ? P::GlowColour(lit) : P::kGlass)
                << x << "," << y;
            EXPECT_EQ(canvas.GetPixel(P::DotLeft(5, x) + 1, nBelow),
                      bBelowGlows ? P::GlowColour(lit) : P::kGlass)
                << x << "," << y;
        }
    EXPECT_EQ(canvas.GetPixel(P::DotLeft(5, 0) - 1, P::DotTop(1, 0)), P::kGlass);
    // Its neighbours are cleared cells.
    EXPECT_EQ(*DotColour(canvas, 1, 4, 0, 15), P::kUnlit);
    EXPECT_EQ(*DotColour(canvas, 0, 5, 0, 15), P::kUnlit);
}

TEST_F(ScreenPainter, ReverseBrightnessAndDimmingChangeTheDots)
{
    StoreL(0x02, 1, 1); // code 0x21
    display.SelectUserFont(1);
    display.SetReverse(1);
    display.WriteCharacter(0x21);
    ASSERT_TRUE(display.SetBrightness(1));
    display.SetDimming(1);
    CScreenPainter(nullptr).Paint(display, canvas);
    const CRgb lit = P::LitColour(display);
    EXPECT_LT(lit.m_g, P::kLit.m_g);
    EXPECT_GT(lit.m_g, P::kUnlit.m_g);
    EXPECT_EQ(*DotColour(canvas, 0, 0, 0, 0), P::kUnlit); // part of the L: dark
    EXPECT_EQ(*DotColour(canvas, 0, 0, 3, 3), lit);

    display.SetDimming(0);
    ASSERT_TRUE(display.SetContrast(0));
    const CRgb lowContrast = P::LitColour(display);
    ASSERT_TRUE(display.SetContrast(7));
    EXPECT_LT(lowContrast.m_g, P::LitColour(display).m_g);
    EXPECT_GT(P::LitColour(display).m_g, lit.m_g);
}

TEST_F(ScreenPainter, ConsoleFontGlyphsAreCentredAndMissingOnesBoxed)
{
    const auto font = FontWithOnlyA();
    ASSERT_TRUE(font);
    const CScreenPainter painter(&*font);

    display.WriteCharacter('A');
    const auto rowsA = painter.CellDots(display, display.Cell(0, 0));
    for (int y = 0; y < kCellDotsHigh; ++y)
    {
        // Two rows of room above and below.
        const std::uint8_t nExpected = (y < 2 || y > 13)     ? 0
                                       : (y == 2 || y == 13) ? 0b00111111
                                                             : 0b00100001;
        EXPECT_EQ(rowsA[y], nExpected) << y;
    }
    display.WriteCharacter('B');
    const auto rowsB = painter.CellDots(display, display.Cell(0, 1));
    EXPECT_EQ(rowsB[3], 0x7E);
    EXPECT_EQ(rowsB[4], 0x42);
    EXPECT_EQ(rowsB[2], 0);
    // A cleared cell stays dark; a reversed one lights what its glyph leaves dark.
    EXPECT_EQ(painter.CellDots(display, display.Cell(1, 0)), (std::array<std::uint8_t, 16>{}));
    display.SetReverse(1);
    display.WriteCharacter('A');
    EXPECT_EQ(painter.CellDots(display, display.Cell(0, 2))[0], 0xFF);
    EXPECT_EQ(painter.CellDots(display, display.Cell(0, 2))[3], 0xDE);
}

TEST_F(ScreenPainter, WithoutAFontCellsShowTheirCodesInHex)
{
    display.WriteCharacter(0x41);
    const auto rows = CScreenPainter(nullptr).CellDots(display, display.Cell(0, 0));
    // "4" above "1", each 5 x 7 from dot (1, 1) and (1, 9): the 4's top
    // row is ...#. and the 1's top row ..#..; the 4's fifth row is #####.
    EXPECT_EQ(rows[1], 0b00010000);
    EXPECT_EQ(rows[5], 0b00111110);
    EXPECT_EQ(rows[9], 0b00001000);
    EXPECT_EQ(rows[10], 0b00001100);
    EXPECT_EQ(rows[0], 0);
    display.WriteCharacter(' ');
    EXPECT_EQ(CScreenPainter(nullptr).CellDots(display, display.Cell(0, 1)),
              (std::array<std::uint8_t, 16>{}));
}

TEST_F(ScreenPainter, WarningMarkAndLegendsLightWhenSelected)
{
    auto markTip = [&](int nColumn)
    { return canvas.GetPixel(P::DotLeft(nColumn, 0) + P::kCellWidth / 2 - 1, P::kMarkTop); };
    CScreenPainter(nullptr).Paint(display, canvas);
    EXPECT_EQ(markTip(4), P::kUnlit);
    ASSERT_TRUE(display.SetWarning(1, 5));
    ASSERT_TRUE(display.SetIndicator(2)); // total
    CScreenPainter(nullptr).Paint(display, canvas);
    EXPECT_EQ(markTip(4), P::kLit);
    EXPECT_EQ(markTip(3), P::kUnlit);
    // The legends without a font are bars: TOTAL starts under column 5.
    EXPECT_EQ(canvas.GetPixel(P::DotLeft(4, 0), P::kLegendTop + 4), P::kLit);
    EXPECT_EQ(canvas.GetPixel(P::DotLeft(0, 0), P::kLegendTop + 4), P::kUnlit);
}

TEST_F(ScreenPainter, TheHouseIsDrawnEvenWhereTheFontLacksIt)
{
    const auto font = FontWithOnlyA();
    ASSERT_TRUE(font);
    display.WriteCharacter(0x7F);
    const auto rows = CScreenPainter(&*font).CellDots(display, display.Cell(0, 0));
    // A roof on walls on a floor, not the hollow box of a missing glyph.
    EXPECT_EQ(rows[5], 0b00001000);
    EXPECT_EQ(rows[8], 0b01100011);
    EXPECT_EQ(rows[10], 0b01111111);
    EXPECT_NE(rows[3], 0x7E);
}

TEST_F(ScreenPainter, AScaledPictureIsTheSamePictureMagnified)
{
    StoreL(0x03, 3, 0);
    ASSERT_TRUE(display.SetCodeTable(0x0F));
    display.WriteCharacter(0xA0);
    ASSERT_TRUE(display.SetWarning(1, 2));
    CScreenPainter(nullptr).Paint(display, canvas);

    CPixelCanvas same(P::kWidth, P::kHeight);
    CScaledCanvas unscaled(same, 1.0, 0, 0);
    CScreenPainter(nullptr).Paint(display, unscaled);
    EXPECT_EQ(same.Rgb(), canvas.Rgb());

    // Twice the size in a wider area: centred, every pixel a 2 x 2 block.
    const int nAreaWidth = 2 * P::kWidth + 40;
    CPixelCanvas big(nAreaWidth, 2 * P::kHeight);
    auto scaled = CScaledCanvas::Fitting(big, nAreaWidth, 2 * P::kHeight, P::kWidth, P::kHeight);
    EXPECT_EQ(scaled.Scale(), 2.0);
    CScreenPainter(nullptr).Paint(display, scaled);
    for (int y = 0; y < P::kHeight; y += 3)
        for (int x = 0; x < P::kWidth; x += 5)
            for (int d = 0; d < 4; ++d)
                ASSERT_EQ(big.GetPixel(20 + 2 * x + d % 2, 2 * y + d / 2), canvas.GetPixel(x, y))
                    << x << "," << y;
    EXPECT_EQ(big.GetPixel(19, 0), CPixelCanvas::kUnpainted);
    EXPECT_EQ(big.GetPixel(20 + 2 * P::kWidth, 0), CPixelCanvas::kUnpainted);
}

TEST_F(ScreenPainter, TheWindowsMomentBlinksTheCellsAndMarksTheCursor)
{
    display.SetBlink(4); // 200 ms on, 200 ms off
    EXPECT_FALSE(P::BlinkDark(display, 150));
    EXPECT_TRUE(P::BlinkDark(display, 250));
    EXPECT_FALSE(P::BlinkDark(display, 450));
    display.SetBlink(0);
    EXPECT_FALSE(P::BlinkDark(display, 250));

    StoreL(0x02, 1, 0); // code 0x20
    display.SelectUserFont(1);
    display.WriteCharacter(0x20);
    const CRgb lit = P::LitColour(display);
    CScreenPainter(nullptr).Paint(display, canvas, {.m_bBlinkDark = true});
    EXPECT_EQ(DotColour(canvas, 0, 0, 0, 0), P::kUnlit);
    CScreenPainter(nullptr).Paint(display, canvas, {.m_bCursor = true});
    EXPECT_EQ(DotColour(canvas, 0, 0, 0, 0), lit);
    for (int x = 0; x < kCellDotsWide; ++x)
    {
        EXPECT_EQ(DotColour(canvas, 0, 1, x, 15), lit) << x; // the cursor's cell
        EXPECT_EQ(DotColour(canvas, 0, 1, x, 14), P::kUnlit) << x;
        EXPECT_EQ(DotColour(canvas, 0, 2, x, 15), P::kUnlit) << x;
    }
}

TEST(ScaledCanvas, RectanglesThatTouchStillTouchAtAnyScale)
{
    for (const double dScale : {0.7, 1.5, 2.29, 3.0})
    {
        CPixelCanvas target(40, 10, kBlack);
        CScaledCanvas scaled(target, dScale, 1, 0);
        // Three-wide dots with one-wide gaps, as a cell's row is drawn.
        for (int x = 0; x < 12; x += 4)
        {
            scaled.FillRect(x, 0, x + 3, 3, P::kLit);
            scaled.FillRect(x + 3, 0, x + 4, 3, P::kGlass);
        }
        const int nEnd = scaled.X(12);
        for (int x = 1; x < nEnd; ++x)
            EXPECT_NE(target.GetPixel(x, 0), kBlack) << dScale << " at " << x;
        EXPECT_EQ(target.GetPixel(0, 0), kBlack) << dScale; // the offset stays clear
        EXPECT_EQ(target.GetPixel(nEnd, 0), kBlack) << dScale;
    }
}
