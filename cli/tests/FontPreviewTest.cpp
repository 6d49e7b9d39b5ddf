#include "FontPreview.h"

#include "ScreenPainter.h"

#include <gtest/gtest.h>

namespace
{
// Glyph 'T' of 8 x 8: the top row and column 3; glyph 0x80 a single dot at (7, 7).
std::vector<std::uint8_t> TinyFont()
{
    std::vector<std::uint8_t> font(0x81 * 8, 0);
    for (int x = 0; x < 8; ++x)
        font['T' * 8 + x] = 0x80;
    font['T' * 8 + 3] = 0xFF;
    font[0x80 * 8 + 7] = 0x01;
    return font;
}
} // namespace

TEST(FontPreview, TextFillsTwentyColumnsAndALineBreakStartsTheSecond)
{
    std::string strError;
    auto codes = TextCodes("abcdefghijklmnopqrstuvwxyz", "", strError);
    ASSERT_TRUE(codes);
    bool bCut = true;
    CPreviewScreen screen = LayOutText(*codes, bCut);
    EXPECT_FALSE(bCut);
    EXPECT_EQ(screen[0][19], std::uint32_t('t'));
    EXPECT_EQ(screen[1][0], std::uint32_t('u'));
    EXPECT_EQ(screen[1][6], std::nullopt);

    codes = TextCodes("A\nB\nC", "", strError);
    screen = LayOutText(*codes, bCut);
    EXPECT_TRUE(bCut);
    EXPECT_EQ(screen[0][0], std::uint32_t('A'));
    EXPECT_EQ(screen[0][1], std::nullopt);
    EXPECT_EQ(screen[1][0], std::uint32_t('B'));
}

TEST(FontPreview, ACodePageTurnsCharactersIntoItsBytes)
{
    std::string strError;
    // Ç is 0x80 in CP437, ░ is 0xB0, the euro sign is not there.
    EXPECT_EQ(TextCodes("\u00C7\u2591\u20ACz", "CP437", strError),
              (std::vector<std::uint32_t>{0x80, 0xB0, '?', 'z'}));
    EXPECT_EQ(TextCodes("\u00C7\u20AC", "", strError), (std::vector<std::uint32_t>{0xC7, 0x20AC}));
    EXPECT_FALSE(TextCodes("x", "NO-SUCH-CODEPAGE", strError));
}

TEST(FontPreview, PaintsEachGlyphDotWhereTheDisplaysPainterPutsIt)
{
    const auto font = TinyFont();
    const CFontPreview preview(font, 8, 8);
    bool bCut = false;
    CPreviewScreen screen = LayOutText({'T', kLineBreak, 'x', 0x80, 0x1000}, bCut);
    const CPixelCanvas picture = preview.Paint(screen, 1);
    const CRgb lit = CScreenPainter::LitColour(CVirtualDisplay());
    constexpr int kPitch = CScreenPainter::kDotPitch;
    auto dot = [&](int nLine, int nColumn, int x, int y)
    {
        return picture.GetPixel(CScreenPainter::kMarginX +
                                    nColumn * (8 * kPitch + CScreenPainter::kCellGap) + x * kPitch,
                                CScreenPainter::kMarginTop +
                                    nLine * (8 * kPitch + CScreenPainter::kRowGap) + y * kPitch);
    };
    EXPECT_EQ(dot(0, 0, 0, 0), lit);
    EXPECT_EQ(dot(0, 0, 3, 7), lit);
    EXPECT_EQ(dot(0, 0, 2, 1), CScreenPainter::kUnlit);
    EXPECT_EQ(dot(1, 1, 7, 7), lit);                    // 0x80 on the second line
    EXPECT_EQ(dot(1, 0, 0, 0), CScreenPainter::kUnlit); // 'x' has no dots here
    EXPECT_EQ(dot(1, 2, 0, 0), CScreenPainter::kUnlit); // past the font's end
    EXPECT_EQ(picture.GetPixel(1, 1), CScreenPainter::kGlass);

    const CPixelCanvas scaled = preview.Paint(screen, 3);
    EXPECT_EQ(scaled.Width(), picture.Width() * 3);
    EXPECT_EQ(scaled.GetPixel(3 * CScreenPainter::kMarginX + 2, 3 * CScreenPainter::kMarginTop + 2),
              lit);
}

TEST(FontPreview, TheTerminalShowsTwoDotRowsInEachCharacter)
{
    const auto font = TinyFont();
    const CFontPreview preview(font, 8, 8);
    bool bCut = false;
    const std::string strText = preview.Text(LayOutText({'T', 'T'}, bCut));
    const std::string strTop = "\u2580\u2580\u2580\u2588\u2580\u2580\u2580\u2580";
    const std::string strStem = "   \u2588";
    EXPECT_EQ(strText, strTop + " " + strTop + "\n" + strStem + "     " + strStem + "\n" + strStem +
                           "     " + strStem + "\n" + strStem + "     " + strStem + "\n\n\n\n\n\n");
}
