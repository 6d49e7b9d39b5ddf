#include "RunTool.h"
#include "TempFolder.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
struct ExportCommand : ::testing::Test
{
    const CTempFolder folder;
    const fs::path& dir = folder.Path();
    fs::path font = dir / "font.bin";
    fs::path out = dir / "font.c";
    std::string bytes;

    void SetUp() override
    {
        bytes.resize(256 * 16);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7 % 256);
        std::ofstream(font, std::ios::binary) << bytes;
    }

    CToolRun Export(const fs::path& from, const fs::path& to, const std::string& strOptions = "")
    {
        return RunVfdkit("export " + ShellQuote(from.string()) + " " + ShellQuote(to.string()) +
                         " " + strOptions);
    }
};
} // namespace

TEST_F(ExportCommand, WritesOneRecordPerGlyph)
{
    const auto run = Export(font, out, "--width 8 --height 16");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_TRUE(run.m_strErr.empty());
    EXPECT_NE(run.m_strOut.find("256 glyphs, 29952 bytes"), std::string::npos) << run.m_strOut;
    const std::string text = ReadWholeFile(out);
    ASSERT_EQ(text.size(), 29952u);
    EXPECT_EQ(text.substr(0, 117), "   0x00, 0x07, 0x0E, 0x15, 0x1C, 0x23, 0x2A, 0x31,//0x0000,\r\n"
                                   "   0x38, 0x3F, 0x46, 0x4D, 0x54, 0x5B, 0x62, 0x69,\r\n"
                                   "\r\n"
                                   "\r\n");
    // Byte 7 of glyph 0xFF: 4087 x 7 mod 256 = 0xC1.
    EXPECT_EQ(text.substr(29952 - 117 + 45, 15), "0xC1,//0x00FF,\r");
    EXPECT_EQ(ReadWholeFile(font), bytes);

    // 8 x 8: twice the glyphs, each record padded with zeros.
    ASSERT_EQ(Export(font, out, "--width=8 --height=8").m_nStatus, 0);
    const std::string small = ReadWholeFile(out);
    ASSERT_EQ(small.size(), 512u * 117);
    EXPECT_EQ(small.substr(61, 52), "   0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,\r\n");

    std::ofstream(font, std::ios::trunc).close(); // an empty font: an empty file
    ASSERT_EQ(Export(font, out).m_nStatus, 0);
    EXPECT_EQ(fs::file_size(out), 0u);
}

TEST_F(ExportCommand, RefusesTheFontItselfAsTarget)
{
    for (const fs::path& same : {font, dir / "." / "font.bin"})
    {
        const auto run = Export(font, same);
        EXPECT_EQ(run.m_nStatus, 2) << same;
        EXPECT_EQ(run.m_strErr, "vfdkit export: Can not export to current file.\n");
        EXPECT_TRUE(run.m_strOut.empty());
        EXPECT_EQ(ReadWholeFile(font), bytes);
    }
}

TEST_F(ExportCommand, FileFailuresExitThreeAndNameTheFile)
{
    const auto missing = Export(dir / "missing.bin", out);
    EXPECT_EQ(missing.m_nStatus, 3);
    EXPECT_NE(missing.m_strErr.find("missing.bin"), std::string::npos) << missing.m_strErr;
    EXPECT_FALSE(fs::exists(out));

    const auto missingFolder = Export(font, dir / "no" / "such" / "out.c");
    EXPECT_EQ(missingFolder.m_nStatus, 3);
    EXPECT_NE(missingFolder.m_strErr.find("out.c"), std::string::npos) << missingFolder.m_strErr;
    EXPECT_EQ(ReadWholeFile(font), bytes);
}

TEST_F(ExportCommand, CommandLineMistakesExitTwo)
{
    for (const char* args : {"export", "export f", "export f o extra", "export f o --width 12",
                             "export f o --height 0"})
    {
        const auto run = RunVfdkit(args);
        EXPECT_EQ(run.m_nStatus, 2) << args;
        EXPECT_FALSE(run.m_strErr.empty()) << args;
    }
    const auto help = RunVfdkit("export --help");
    EXPECT_EQ(help.m_nStatus, 0);
    EXPECT_NE(help.m_strOut.find("FONT OUT"), std::string::npos);
    EXPECT_NE(RunVfdkit("--help").m_strOut.find("export"), std::string::npos);
}
