#include "RunTool.h"
#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <zlib.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
const char* const kPsf = "/usr/share/consolefonts/Uni1-VGA16.psf.gz";
const char* const kPcf = "/usr/share/fonts/X11/misc/8x13.pcf.gz";
const char* const kTtf = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

struct FontCommands : ::testing::Test
{
    const CTempFolder folder;
    const fs::path& dir = folder.Path();

    std::string Q(const fs::path& path) const { return ShellQuote(path.string()); }
};
} // namespace

TEST_F(FontCommands, EachKindOfSourceImportsAndPreviews)
{
    for (const char* pszSource : {kPsf, kPcf, kTtf})
    {
        const fs::path out = dir / "font.fnt";
        const CToolRun run = RunVfdkit("import " + ShellQuote(pszSource) + " " + Q(out) +
                                       " --width 8 --height 16 --map CP437");
        ASSERT_EQ(run.m_nStatus, 0) << pszSource << "\n" << run.m_strErr;
        EXPECT_EQ(fs::file_size(out), 256u * 16) << pszSource;
        EXPECT_NE(run.m_strOut.find("256 glyphs of 8 x 16, 4096 bytes"), std::string::npos)
            << run.m_strOut;
        EXPECT_NE(run.m_strOut.find("not in the source, left blank: "), std::string::npos);

        const CToolRun preview = RunVfdkit("preview " + Q(out) + " 'Ag' --width 8 --height 16");
        ASSERT_EQ(preview.m_nStatus, 0) << preview.m_strErr;
        // Two lines of 8 text rows, a blank line between; the text shows.
        EXPECT_EQ(std::count(preview.m_strOut.begin(), preview.m_strOut.end(), '\n'), 17);
        EXPECT_NE(preview.m_strOut.find("\u2588"), std::string::npos) << pszSource;
    }
}

TEST_F(FontCommands, ImportReportsGlyphsCutAtTheCell)
{
    const fs::path out = dir / "small.fnt";
    const CToolRun run =
        RunVfdkit("import " + ShellQuote(kPsf) + " " + Q(out) + " --width 8 --height 8");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_EQ(fs::file_size(out), 256u * 8);
    EXPECT_NE(run.m_strOut.find("cut off at the cell's edges: "), std::string::npos)
        << run.m_strOut;
}

TEST_F(FontCommands, BadSourcesLeaveNoOutputAndNameTheFile)
{
    const fs::path out = dir / "out.fnt";
    struct CCase
    {
        std::string m_strName;
        std::string m_strBytes;
        std::string m_strCause;
    };
    // A gzip bomb: 80 MiB of zeros.
    std::string strBomb;
    {
        const fs::path bomb = dir / "bomb.psf.gz";
        const gzFile file = ::gzopen(bomb.string().c_str(), "wb9");
        const std::string strZeros(1u << 20, '\0');
        for (int i = 0; i < 80; ++i)
            ::gzwrite(file, strZeros.data(), static_cast<unsigned>(strZeros.size()));
        ::gzclose(file);
        strBomb = ReadWholeFile(bomb);
        fs::remove(bomb);
    }
    const std::string strPsf = ReadWholeFile(kPsf);
    const std::vector<CCase> cases = {
        {"empty.ttf", "", "the file is empty"},
        {"text.bdf", std::string(3000, ' '), "not a font this tool reads"},
        {"bomb.psf.gz", strBomb, "decompresses to larger than 64 MiB"},
        {"cut.psf.gz", strPsf.substr(0, strPsf.size() / 2), "the compressed data is cut short"},
        {"huge.psf",
         std::string("\x72\xB5\x4A\x86\0\0\0\0\x20\0\0\0\0\0\0\0\xFF\xFF\xFF\x7F", 20) +
             std::string(12, '\x10'),
         "the font's header makes no sense"},
    };
    for (const auto& c : cases)
    {
        const fs::path source = dir / c.m_strName;
        std::ofstream(source, std::ios::binary) << c.m_strBytes;
        const CToolRun run = RunVfdkit("import " + Q(source) + " " + Q(out));
        EXPECT_EQ(run.m_nStatus, 3) << c.m_strName;
        EXPECT_NE(run.m_strErr.find(source.string() + ": "), std::string::npos) << run.m_strErr;
        EXPECT_NE(run.m_strErr.find(c.m_strCause), std::string::npos) << run.m_strErr;
        EXPECT_FALSE(fs::exists(out)) << c.m_strName;
        fs::remove(source);
    }
    EXPECT_EQ(folder.Count(), 0u);
}

TEST_F(FontCommands, TransformWritesWholeOrNothing)
{
    const fs::path font = dir / "font.fnt";
    std::string strBytes(3 * 16 + 5, '\0');
    for (std::size_t i = 0; i < strBytes.size(); ++i)
        strBytes[i] = static_cast<char>(i * 13);
    std::ofstream(font, std::ios::binary) << strBytes;

    // In place, glyph 1 only: its bytes inverted (8 x 16 uses both bands
    // whole), everything else as it was.
    CToolRun run = RunVfdkit("transform " + Q(font) + " " + Q(font) +
                             " --width 8 --height 16 --glyphs 1 --invert");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_NE(run.m_strOut.find("1 of 3 glyphs changed"), std::string::npos) << run.m_strOut;
    const std::string strAfter = ReadWholeFile(font);
    ASSERT_EQ(strAfter.size(), strBytes.size());
    for (std::size_t i = 0; i < strBytes.size(); ++i)
        EXPECT_EQ(strAfter[i], i >= 16 && i < 32 ? static_cast<char>(~strBytes[i]) : strBytes[i])
            << "byte " << i;
    EXPECT_EQ(folder.Count(), 1u);

    // A target that cannot be written: nothing left behind.
    run = RunVfdkit("transform " + Q(font) + " " + Q(dir / "no" / "out.fnt") + " --flip-h");
    EXPECT_EQ(run.m_nStatus, 3);
    EXPECT_NE(run.m_strErr.find((dir / "no" / "out.fnt").string() + ": "), std::string::npos)
        << run.m_strErr;
    EXPECT_EQ(folder.Count(), 1u);

    EXPECT_EQ(RunVfdkit("transform " + Q(font) + " " + Q(dir / "o.fnt")).m_nStatus, 2);
    EXPECT_EQ(
        RunVfdkit("transform " + Q(font) + " " + Q(dir / "o.fnt") + " --bold --glyphs 9").m_nStatus,
        2);
    EXPECT_EQ(RunVfdkit("transform " + Q(font) + " " + Q(dir / "o.fnt") + " --bold --glyphs 2-1")
                  .m_nStatus,
              2);
    EXPECT_EQ(folder.Count(), 1u);
}

TEST_F(FontCommands, PreviewWritesAPicture)
{
    const fs::path font = dir / "font.fnt";
    ASSERT_EQ(RunVfdkit("sample-font " + Q(font) + " --width 8 --height 16").m_nStatus, 0);
    const fs::path png = dir / "shot.png";
    const CToolRun run = RunVfdkit("preview " + Q(font) + " 'Hello' --width 8 --height 16 --png " +
                                   Q(png) + " --scale 2");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    const std::string strPng = ReadWholeFile(png);
    ASSERT_GT(strPng.size(), 24u);
    EXPECT_EQ(strPng.substr(1, 3), "PNG");
    // Width and height, big-endian, at bytes 16 and 20: twice the painter's.
    auto be32 = [&](std::size_t n)
    {
        return static_cast<unsigned>(static_cast<unsigned char>(strPng[n])) << 24 |
               static_cast<unsigned>(static_cast<unsigned char>(strPng[n + 1])) << 16 |
               static_cast<unsigned>(static_cast<unsigned char>(strPng[n + 2])) << 8 |
               static_cast<unsigned char>(strPng[n + 3]);
    };
    EXPECT_EQ(be32(16), 2u * 839);
    EXPECT_EQ(be32(20), 2u * (2 * 22 + 2 * 64 + 16 - 1));
    EXPECT_EQ(RunVfdkit("preview " + Q(font) + " x --map NO-SUCH-CODEPAGE").m_nStatus, 2);
}
