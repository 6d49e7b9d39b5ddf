#include "ConsoleFont.h"

#include "TempFolder.h"

#include <filesystem>
#include <zlib.h>

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, unsigned n)
{
    b.push_back(static_cast<std::uint8_t>(n));
    b.push_back(static_cast<std::uint8_t>(n >> 8));
}

void Put32(Bytes& b, std::uint32_t n)
{
    Put16(b, n & 0xFFFF);
    Put16(b, n >> 16);
}

// 256 glyphs of 8 x 16; glyph 65 has a left edge and a top row, glyph 200
// a single dot. Table: 65 is "A", 200 is "Ä" and a sequence after it.
Bytes Psf1()
{
    Bytes b = {0x36, 0x04, 0x02, 16};
    Bytes glyphs(256 * 16, 0);
    glyphs[65 * 16] = 0xFF;
    for (int y = 1; y < 16; ++y)
        glyphs[65 * 16 + y] = 0x80;
    glyphs[200 * 16 + 5] = 0x01;
    b.insert(b.end(), glyphs.begin(), glyphs.end());
    for (unsigned g = 0; g < 256; ++g)
    {
        if (g == 65)
            Put16(b, 'A');
        if (g == 200)
        {
            Put16(b, 0xC4);
            Put16(b, 0xFFFE);
            Put16(b, 'X'); // part of a sequence, not a character of its own
        }
        Put16(b, 0xFFFF);
    }
    return b;
}

// Three glyphs of 10 x 3 (two bytes a row): glyph 1 has its last column lit in the
// middle row. Table: 0 is "a", 1 is "€" then a sequence, 2 nothing.
Bytes Psf2()
{
    Bytes b;
    Put32(b, 0x864AB572);
    Put32(b, 0);  // version
    Put32(b, 32); // header size
    Put32(b, 1);  // has a table
    Put32(b, 3);  // glyphs
    Put32(b, 6);  // bytes a glyph
    Put32(b, 3);  // height
    Put32(b, 10); // width
    Bytes glyphs(18, 0);
    glyphs[6 + 2 * 1 + 1] = 0x40; // glyph 1, row 1, column 9
    b.insert(b.end(), glyphs.begin(), glyphs.end());
    b.insert(b.end(), {'a', 0xFF, 0xE2, 0x82, 0xAC, 0xFE, 'x', 0xFF, 0xFF});
    return b;
}

struct ConsoleFontFiles : ::testing::Test
{
    const CTempFolder folder;
    const std::filesystem::path& dir = folder.Path();
};
} // namespace

TEST(ConsoleFont, Psf1GlyphsAreFoundThroughTheTable)
{
    std::string strError;
    const auto font = CConsoleFont::Parse(Psf1(), strError);
    ASSERT_TRUE(font) << strError;
    EXPECT_EQ(font->Width(), 8);
    EXPECT_EQ(font->Height(), 16);
    EXPECT_EQ(font->GlyphCount(), 256u);
    ASSERT_EQ(font->GlyphOf(U'A'), 65);
    EXPECT_EQ(font->GlyphOf(U'Ä'), 200);
    EXPECT_EQ(font->GlyphOf(U'X'), -1);
    EXPECT_EQ(font->GlyphOf(U'B'), -1);
    EXPECT_TRUE(font->Dot(65, 7, 0));
    EXPECT_TRUE(font->Dot(65, 0, 15));
    EXPECT_FALSE(font->Dot(65, 1, 1));
    EXPECT_TRUE(font->Dot(200, 7, 5));
    EXPECT_FALSE(font->Dot(200, 6, 5));
    EXPECT_FALSE(font->Dot(65, 8, 0)); // outside the glyph
    EXPECT_FALSE(font->Dot(256, 0, 0));
}

TEST(ConsoleFont, Psf2GlyphsOfAnyWidthAndUtf8Tables)
{
    std::string strError;
    const auto font = CConsoleFont::Parse(Psf2(), strError);
    ASSERT_TRUE(font) << strError;
    EXPECT_EQ(font->Width(), 10);
    EXPECT_EQ(font->Height(), 3);
    EXPECT_EQ(font->GlyphOf(U'a'), 0);
    EXPECT_EQ(font->GlyphOf(U'€'), 1);
    EXPECT_EQ(font->GlyphOf(U'x'), -1);
    EXPECT_TRUE(font->Dot(1, 9, 1));
    EXPECT_FALSE(font->Dot(1, 8, 1));
    EXPECT_FALSE(font->Dot(0, 9, 1));
}

TEST(ConsoleFont, DamagedFontsAreRefusedWithACause)
{
    std::string strError;
    EXPECT_FALSE(CConsoleFont::Parse({1, 2, 3, 4}, strError));
    EXPECT_EQ(strError, "not a console font (PSF)");
    Bytes cut = Psf1();
    cut.resize(4 + 100);
    EXPECT_FALSE(CConsoleFont::Parse(cut, strError));
    EXPECT_EQ(strError, "the font is cut short");
    Bytes cut2 = Psf2();
    cut2.resize(40);
    EXPECT_FALSE(CConsoleFont::Parse(cut2, strError));
    EXPECT_EQ(strError, "the font is cut short");
    Bytes wrong = Psf2();
    wrong[20] = 7; // bytes a glyph do not match width and height
    EXPECT_FALSE(CConsoleFont::Parse(wrong, strError));
    EXPECT_EQ(strError, "the font's header makes no sense");
    // A table cut short keeps what it has.
    Bytes table = Psf1();
    table.resize(table.size() - 300);
    const auto font = CConsoleFont::Parse(table, strError);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->GlyphOf(U'A'), 65);
}

TEST_F(ConsoleFontFiles, CompressedAndPlainFilesLoadAlike)
{
    const auto gz = (dir / "font.psf.gz").string();
    const Bytes bytes = Psf1();
    const gzFile file = ::gzopen(gz.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(::gzwrite(file, bytes.data(), static_cast<unsigned>(bytes.size())),
              static_cast<int>(bytes.size()));
    ::gzclose(file);
    std::string strError;
    const auto font = CConsoleFont::Load(gz, strError);
    ASSERT_TRUE(font) << strError;
    EXPECT_EQ(font->GlyphOf(U'Ä'), 200);

    const auto plain = (dir / "font.psf").string();
    FILE* pFile = std::fopen(plain.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), pFile);
    std::fclose(pFile);
    EXPECT_TRUE(CConsoleFont::Load(plain, strError));

    const auto missing = (dir / "missing.psf.gz").string();
    EXPECT_FALSE(CConsoleFont::Load(missing, strError));
    EXPECT_NE(strError.find(missing), std::string::npos) << strError;
    EXPECT_NE(strError.find("No such file"), std::string::npos) << strError;
    EXPECT_FALSE(CConsoleFont::Load(dir.string() + "/", strError));
}

TEST(ConsoleFont, TheSystemsFontHasTheCharactersTheDisplayNeeds)
{
    std::string strError;
    const auto font = CConsoleFont::Load(CConsoleFont::kDefaultPath, strError);
    if (!font)
        GTEST_SKIP() << strError;
    EXPECT_EQ(font->Width(), 8);
    EXPECT_EQ(font->Height(), 16);
    for (const char32_t c : {U'A', U'z', U'Ç', U'Ä', U'│', U'€', U'А', U'Α'})
        EXPECT_GE(font->GlyphOf(c), 0) << static_cast<unsigned>(c);
}
