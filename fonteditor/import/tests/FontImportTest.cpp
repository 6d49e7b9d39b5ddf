#include "FontImport.h"

#include "FontSourceFixtures.h"
#include "SourceFile.h"
#include "TempFolder.h"

#include <cstdlib>
#include <cstring>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace fixtures;

namespace
{
const char* const kPsf = "/usr/share/consolefonts/Uni1-VGA16.psf.gz";
const char* const kPsf14 = "/usr/share/consolefonts/Uni1-VGA14.psf.gz";
const char* const kPcf = "/usr/share/fonts/X11/misc/8x13.pcf.gz";
const char* const kTtf = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

std::unique_ptr<CFontSource> Open(const Bytes& bytes, const CSourceOptions& options = {})
{
    std::string strError;
    auto inflated = Gunzip(bytes, 64u << 20, strError);
    EXPECT_TRUE(inflated) << strError;
    if (!inflated)
        return nullptr;
    auto source = CFontSource::Open(*inflated, options, strError);
    EXPECT_TRUE(source) << strError;
    return source;
}

Bytes Import(CFontSource& source, const CImportOptions& options, CImportReport& report)
{
    std::string strError;
    auto font = ImportFont(source, options, report, strError);
    EXPECT_TRUE(font) << strError;
    return font.value_or(Bytes{});
}

struct BdfFont : ::testing::Test
{
    const CTempFolder folder;
    const fs::path& dir = folder.Path();
    int nAscent = 0;
    std::map<int, CBdfGlyph> glyphs = ParseBdf(kBdf, nAscent);
    Bytes bdf = Bytes(kBdf, kBdf + std::strlen(kBdf));

    void ExpectGlyphs(CFontSource& source, int nBaseline, int nLeft,
                      const CImportOptions& given = {})
    {
        CImportOptions options = given;
        options.m_nWidth = 8;
        options.m_nHeight = 12;
        options.m_nCount = 128;
        CImportReport report;
        const Bytes font = Import(source, options, report);
        for (const auto& [nCode, glyph] : glyphs)
            EXPECT_EQ(FromFontFile(font, 8, 12, nCode), Expected(glyph, 8, 12, nBaseline, nLeft))
                << "glyph " << nCode;
        EXPECT_EQ(report.m_nImported, glyphs.size());
        EXPECT_EQ(report.m_missing.size(), 128 - glyphs.size());
        // Only W is wider than the cell; its right columns are cut off, not
        // wrapped into the next glyph or the next band.
        EXPECT_EQ(report.m_clipped, std::vector<std::uint32_t>{'W'});
        EXPECT_EQ(FromFontFile(font, 8, 12, 'X'), Blank(8, 12));
    }
};
} // namespace

TEST_F(BdfFont, GlyphsLandOnTheBaselineAsTheirRowsSay)
{
    auto source = Open(bdf);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->Ascent(), 7);
    EXPECT_EQ(source->Descent(), 2);
    ExpectGlyphs(*source, 7, 0);

    // Placed by hand: baseline under row 9, pen at column 1.
    CImportOptions options;
    options.m_nBaseline = 9;
    options.m_nLeft = 1;
    ExpectGlyphs(*source, 9, 1, options);
}

TEST_F(BdfFont, ThePcfMadeFromItGivesTheSameGlyphs)
{
    const fs::path bdfPath = dir / "tiny.bdf";
    std::ofstream(bdfPath) << kBdf;
    const fs::path pcfPath = dir / "tiny.pcf.gz";
    const std::string strCommand = "bdftopcf " + bdfPath.string() + " | gzip > " + pcfPath.string();
    ASSERT_EQ(std::system(strCommand.c_str()), 0) << "bdftopcf (xfonts-utils) is needed";
    std::string strError;
    const auto bytes = ReadFontSourceFile(pcfPath.string(), 1u << 20, strError);
    ASSERT_TRUE(bytes) << strError;
    auto source = CFontSource::Open(*bytes, {}, strError);
    ASSERT_TRUE(source) << strError;
    EXPECT_NE(source->Describe().find("PCF"), std::string::npos);
    ExpectGlyphs(*source, 7, 0);
}

TEST_F(BdfFont, CentringPutsTheLineInTheMiddleAndEachAdvanceAcross)
{
    auto source = Open(bdf);
    ASSERT_TRUE(source);
    CImportOptions options;
    options.m_nWidth = 8;
    options.m_nHeight = 12;
    options.m_bCenter = true;
    CImportReport report;
    const Bytes font = Import(*source, options, report);
    // Line of 9 rows in 12: 1 row above, so the baseline under row 8; an
    // advance of 6 in 8 columns starts at column 1.
    EXPECT_EQ(FromFontFile(font, 8, 12, 'A'), Expected(glyphs['A'], 8, 12, 8, 1));
    EXPECT_EQ(FromFontFile(font, 8, 12, 'g'), Expected(glyphs['g'], 8, 12, 8, 1));
}

TEST(ConsoleFontImport, GlyphsAreTheFontsRowsInColumnBytes)
{
    const Bytes gz = ReadGz(kPsf);
    ASSERT_FALSE(gz.empty()) << kPsf << " (console-setup-linux) is needed";
    const CPsf1 psf(gz);
    auto source = Open(gz);
    ASSERT_TRUE(source);
    for (const unsigned nHeight : {16u, 20u})
    {
        CImportOptions options;
        options.m_nWidth = 8;
        options.m_nHeight = nHeight;
        CImportReport report;
        const Bytes font = Import(*source, options, report);
        ASSERT_EQ(font.size(), 256u * 8 * ((nHeight + 7) / 8));
        for (const char32_t c : {U'A', U'g', U'~', U'#', U'\u00E9'})
            EXPECT_EQ(FromFontFile(font, 8, nHeight, c), psf.Expected(c, 8, nHeight))
                << "character " << static_cast<unsigned>(c) << ", height " << nHeight;
        EXPECT_TRUE(report.m_clipped.empty());
    }
}

TEST(ConsoleFontImport, ACodePageDecidesWhichCharacterEachGlyphGets)
{
    const Bytes gz = ReadGz(kPsf);
    ASSERT_FALSE(gz.empty());
    const CPsf1 psf(gz);
    auto source = Open(gz);
    ASSERT_TRUE(source);
    CImportOptions options;
    options.m_nWidth = 8;
    options.m_nHeight = 16;
    options.m_strCodePage = "CP437";
    CImportReport report;
    const Bytes font = Import(*source, options, report);
    // CP437 puts light shade at B0, e acute at 82, the integral's top half at F4.
    EXPECT_EQ(FromFontFile(font, 8, 16, 0xB0), psf.Expected(U'\u2591', 8, 16));
    EXPECT_EQ(FromFontFile(font, 8, 16, 0x82), psf.Expected(U'\u00E9', 8, 16));
    EXPECT_EQ(FromFontFile(font, 8, 16, 'A'), psf.Expected(U'A', 8, 16));

    // Glyphs from 0x41 on take codes from 0x61 on: lower case in the upper places.
    options = {};
    options.m_nWidth = 8;
    options.m_nHeight = 16;
    options.m_nFirst = 0x41;
    options.m_nCount = 26;
    options.m_nFromCode = 0x61;
    const Bytes shifted = Import(*source, options, report);
    EXPECT_EQ(shifted.size(), (0x41u + 26) * 16);
    EXPECT_EQ(FromFontFile(shifted, 8, 16, 'A'), psf.Expected(U'a', 8, 16));
    EXPECT_EQ(FromFontFile(shifted, 8, 16, 0x20), Blank(8, 16)); // before the first: blank
    EXPECT_TRUE(report.m_missing.empty());
}

TEST(ConsoleFontImport, ASmallerFontCentresDownTheCell)
{
    const Bytes gz = ReadGz(kPsf14);
    ASSERT_FALSE(gz.empty());
    const CPsf1 psf(gz);
    ASSERT_EQ(psf.m_nHeight, 14);
    auto source = Open(gz);
    ASSERT_TRUE(source);
    CImportOptions options;
    options.m_nWidth = 8;
    options.m_nHeight = 16;
    options.m_bCenter = true;
    CImportReport report;
    const Bytes font = Import(*source, options, report);
    EXPECT_EQ(FromFontFile(font, 8, 16, 'g'), psf.Expected(U'g', 8, 16, 1));
}

TEST(OutlineImport, DotsAreFreeTypesCoverageAtTheThreshold)
{
    // The expectation renders each glyph on its own with FreeType and lays
    // its bitmap on the baseline; the importer renders into the cell.
    std::string strError;
    const auto bytes = ReadFontSourceFile(kTtf, 64u << 20, strError);
    ASSERT_TRUE(bytes) << strError << " (fonts-dejavu-core is needed)";
    CSourceOptions sourceOptions;
    sourceOptions.m_nPixelSize = 14;
    sourceOptions.m_nThreshold = 100;
    auto source = CFontSource::Open(*bytes, sourceOptions, strError);
    ASSERT_TRUE(source) << strError;

    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, kTtf, 0, &face), 0);
    ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, 14), 0);
    const int nBaseline = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
    EXPECT_EQ(source->Ascent(), nBaseline);

    CImportOptions options;
    options.m_nWidth = 8;
    options.m_nHeight = 16;
    options.m_nCount = 0x80;
    CImportReport report;
    const Bytes font = Import(*source, options, report);
    for (const char c : std::string("AgjM|_@%"))
    {
        ASSERT_EQ(
            FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER | FT_LOAD_NO_BITMAP),
            0);
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        Picture expected = Blank(8, 16);
        for (unsigned y = 0; y < bitmap.rows; ++y)
            for (unsigned x = 0; x < bitmap.width; ++x)
                if (bitmap.buffer[y * bitmap.pitch + x] >= 100)
                    Put(expected, face->glyph->bitmap_left + static_cast<int>(x),
                        nBaseline - face->glyph->bitmap_top + static_cast<int>(y));
        EXPECT_EQ(FromFontFile(font, 8, 16, static_cast<unsigned char>(c)), expected)
            << "character " << c;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    // DejaVu Sans Mono has every printable ASCII character, none of the controls.
    EXPECT_EQ(report.m_missing.size(), 0x20u + 1); // 0x00 to 0x1F and 0x7F
}

TEST(OutlineImport, TheDefaultSizeFitsTheFontsLineIntoTheCell)
{
    std::string strError;
    const auto bytes = ReadFontSourceFile(kTtf, 64u << 20, strError);
    ASSERT_TRUE(bytes) << strError;
    for (const int nHeight : {8, 16, 32})
    {
        CSourceOptions options;
        options.m_nFitHeight = nHeight;
        auto source = CFontSource::Open(*bytes, options, strError);
        ASSERT_TRUE(source);
        EXPECT_LE(source->Ascent() + source->Descent(), nHeight);
        EXPECT_GE(source->Ascent() + source->Descent(), nHeight * 3 / 4);
    }
}

TEST(BitmapImport, TheMiscFixedFontStandsOnItsBaseline)
{
    std::string strError;
    const auto bytes = ReadFontSourceFile(kPcf, 1u << 20, strError);
    ASSERT_TRUE(bytes) << strError << " (xfonts-base is needed)";
    auto source = CFontSource::Open(*bytes, {}, strError);
    ASSERT_TRUE(source) << strError;
    EXPECT_TRUE(source->IsUnicode());
    EXPECT_EQ(source->Ascent() + source->Descent(), 13);
    CImportOptions options;
    options.m_nWidth = 8;
    options.m_nHeight = 16;
    options.m_strCodePage = "CP437";
    CImportReport report;
    const Bytes font = Import(*source, options, report);
    EXPECT_TRUE(report.m_clipped.empty());
    // The underscore is one row under the baseline; the full block fills
    // the font's whole line, 8 columns wide.
    const int nBaseline = source->Ascent();
    const Picture underscore = FromFontFile(font, 8, 16, '_');
    int nLitRows = 0;
    for (int y = 0; y < 16; ++y)
        if (underscore[y].find('#') != std::string::npos)
        {
            ++nLitRows;
            EXPECT_GE(y, nBaseline) << "row " << y;
        }
    EXPECT_EQ(nLitRows, 1);
    const Picture block = FromFontFile(font, 8, 16, 0xDB);
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(block[y], std::string(8, y < 13 ? '#' : '.')) << "row " << y;
}

TEST(BadSources, AreRefusedWithTheirCause)
{
    std::string strError;
    auto refuse = [&](const Bytes& bytes)
    {
        strError.clear();
        const auto source = CFontSource::Open(bytes, {}, strError);
        EXPECT_FALSE(source);
        return strError;
    };
    EXPECT_EQ(refuse({}), "the file is empty");
    EXPECT_EQ(refuse(Bytes(2000, 0x20)),
              "not a font this tool reads (PSF, BDF, PCF, TrueType, OpenType)");
    EXPECT_EQ(refuse(Bytes(100, 0x55)).rfind("cannot be read as a font: ", 0), 0u);
    // PSF 2 claiming a billion glyphs of 8 x 16.
    Bytes psf2 = {0x72, 0xB5, 0x4A, 0x86, 0,  0, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0,
                  0,    0xCA, 0x9A, 0x3B, 16, 0, 0, 0, 16, 0, 0, 0, 8, 0, 0, 0};
    EXPECT_EQ(refuse(psf2), "the font's header makes no sense");
    psf2[17] = 0x01; // 256 + 0 glyphs, but no bitmaps
    psf2[18] = psf2[19] = 0;
    EXPECT_EQ(refuse(psf2), "the font is cut short");
    // A real font cut in the middle.
    Bytes psf = ReadGz(kPsf);
    psf.resize(psf.size() / 3);
    EXPECT_EQ(refuse(psf), "the font is cut short");
    Bytes bdf(kBdf, kBdf + 200);
    EXPECT_FALSE(refuse(bdf).empty());
}
