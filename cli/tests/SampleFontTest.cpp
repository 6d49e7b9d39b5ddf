#include "Glyph.h"
#include "RunTool.h"
#include "TempFolder.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
std::string GlyphText(const std::string& font, unsigned nWidth, unsigned nHeight, unsigned nCode)
{
    CGlyph glyph;
    glyph.m_nWidth = nWidth;
    glyph.m_nHeight = nHeight;
    const unsigned nBytes = glyph.Bytes();
    std::copy_n(font.begin() + nCode * nBytes, nBytes, glyph.m_bits.begin());
    std::string strText;
    glyph.ToText(strText);
    return strText;
}
} // namespace

TEST(SampleFontCommand, DrawsTheAsciiCharactersScaledAndCentred)
{
    const CTempFolder folder;
    const fs::path out = folder.Path() / "font.bin";
    const auto run =
        RunVfdkit("sample-font " + ShellQuote(out.string()) + " --width 8 --height 16");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_NE(run.m_strOut.find("256 glyphs of 8 x 16, 4096 bytes"), std::string::npos);
    const std::string font = ReadWholeFile(out);
    ASSERT_EQ(font.size(), 4096u);

    // 'H' at 8 x 16: five columns from x = 1, every row twice from y = 1.
    const std::string strSide = "01000100\r\n";
    const std::string strBar = "01111100\r\n";
    std::string strH = "00000000\r\n";
    for (int y = 1; y <= 14; ++y)
        strH += y == 7 || y == 8 ? strBar : strSide;
    strH += "00000000\r\n";
    EXPECT_EQ(GlyphText(font, 8, 16, 'H'), strH);

    // Control characters and the upper half stay empty; every printable one has pixels.
    EXPECT_EQ(font.substr(0, 0x20 * 16), std::string(0x20 * 16, '\0'));
    EXPECT_EQ(font.substr(0x7F * 16), std::string((256 - 0x7F) * 16, '\0'));
    for (unsigned nCode = '!'; nCode <= '~'; ++nCode)
        EXPECT_NE(font.substr(nCode * 16, 16), std::string(16, '\0')) << nCode;
}

TEST(SampleFontCommand, OtherGeometriesAndWrongOnes)
{
    const CTempFolder folder;
    const fs::path out = folder.Path() / "font.bin";
    // 16 x 8 in 600 glyphs: the font runs past the first page, empty there.
    ASSERT_EQ(
        RunVfdkit("sample-font " + ShellQuote(out.string()) + " --width 16 --height 8 --glyphs 600")
            .m_nStatus,
        0);
    const std::string font = ReadWholeFile(out);
    ASSERT_EQ(font.size(), 600u * 16);
    // '-' at 16 x 8: scaled twice across from x = 3, one row at y = 3.
    std::string strDash;
    for (int y = 0; y < 8; ++y)
        strDash += y == 3 ? "00011111 11111000\r\n" : "00000000 00000000\r\n";
    EXPECT_EQ(GlyphText(font, 16, 8, '-'), strDash);

    EXPECT_EQ(RunVfdkit("sample-font " + ShellQuote(out.string()) + " --width 12").m_nStatus, 2);
    EXPECT_EQ(RunVfdkit("sample-font " + ShellQuote(out.string()) + " --glyphs 0").m_nStatus, 2);
    EXPECT_EQ(RunVfdkit("sample-font /no/such/folder/font.bin").m_nStatus, 3);
}
