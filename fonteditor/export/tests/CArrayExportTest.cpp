#include "CArrayExport.h"

#include "RecordingUserInterface.h"
#include "TempFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The record as the printf formats word it, to hold the fast writer against.
std::string Reference(const std::uint8_t* b, unsigned nNumber)
{
    char text[256];
    int n = std::snprintf(text, sizeof text, "   ");
    for (int i = 0; i < 7; ++i)
        n += std::snprintf(text + n, sizeof text - n, "0x%02X, ", b[i]);
    n += std::snprintf(text + n, sizeof text - n, "0x%02X", b[7]);
    n += std::snprintf(text + n, sizeof text - n, ",//0x%04X ", nNumber);
    text[n - 1] = ',';
    n += std::snprintf(text + n, sizeof text - n, "\r\n   ");
    for (int i = 8; i < 15; ++i)
        n += std::snprintf(text + n, sizeof text - n, "0x%02X, ", b[i]);
    n += std::snprintf(text + n, sizeof text - n, "0x%02X,\r\n\r\n\r\n", b[15]);
    return std::string(text, static_cast<std::size_t>(n));
}

const std::uint8_t* bits0()
{
    static const std::uint8_t s_bits[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    return s_bits;
}

struct ExportTest : ::testing::Test
{
    CTempFolder temp; // goes after the document, which holds its font open
    fs::path dir = temp.Path();
    CRecordingUserInterface ui;
    CTypeloomDoc doc{ui};
    fs::path font;
    fs::path target;

    void SetUp() override { target = dir / "out.c"; }

    // A font whose byte i is i mod 251, opened under the geometry.
    std::string Open(std::size_t nLength, unsigned w, unsigned h)
    {
        std::string bytes(nLength, '\0');
        for (std::size_t i = 0; i < nLength; ++i)
            bytes[i] = static_cast<char>(i % 251);
        font = dir / "font.bin";
        std::ofstream(font, std::ios::binary) << bytes;
        EXPECT_TRUE(doc.OnOpenDocument(font.string()));
        doc.SetPathName(font.string());
        doc.SetGlyphSize(w, h);
        return bytes;
    }

    EExportResult Export(const fs::path& to)
    {
        ui.m_fileAnswers.push_back(to.string());
        return ExportCArray(doc);
    }
};
} // namespace

TEST_F(ExportTest, SixteenByteGlyphsMakeOneRecordEach)
{
    Open(256 * 16, 8, 16);
    ASSERT_EQ(Export(target), EExportResult::Written);
    const std::string text = Slurp(target);
    ASSERT_EQ(text.size(), 29952u);
    EXPECT_EQ(text.substr(0, 117), "   0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,//0x0000,\r\n"
                                   "   0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,\r\n"
                                   "\r\n"
                                   "\r\n");
    // Glyph 0xFF starts at byte 4080, which is 4080 mod 251 = 64 = 0x40.
    EXPECT_EQ(text.substr(29952 - 117),
              "   0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47,//0x00FF,\r\n"
              "   0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F,\r\n"
              "\r\n"
              "\r\n");
    EXPECT_TRUE(ui.m_messages.empty());

    ASSERT_EQ(ui.m_fileDialogs.size(), 1u);
    const CFileDialogRequest& request = ui.m_fileDialogs[0];
    EXPECT_FALSE(request.m_bOpen);
    EXPECT_EQ(ParseFilterString(request.m_strFilter),
              (std::vector<CFileFilter>{{"All Files (*.*)", "*.*"}}));
    EXPECT_TRUE(request.m_strFileName.empty());
    EXPECT_TRUE(request.m_bPathMustExist);
    EXPECT_TRUE(request.m_bOverwritePrompt);
}

TEST_F(ExportTest, EveryRecordMatchesTheFormatsAcrossReadBlocks)
{
    // 20,000 glyphs of 32 bytes: more than one block of reads and of writes.
    const std::string bytes = Open(20000 * 32, 16, 16);
    doc.AddChange(CGlyph{}); // unsaved changes are not exported
    ASSERT_EQ(Export(target), EExportResult::Written);
    const std::string text = Slurp(target);
    ASSERT_EQ(text.size(), 20000u * 117);
    for (unsigned g = 0; g < 20000; ++g)
    {
        const auto* pGlyph = reinterpret_cast<const std::uint8_t*>(bytes.data()) + g * 32;
        ASSERT_EQ(text.substr(g * 117, 117), Reference(pGlyph, g)) << g;
    }
    // Numbers past four digits keep them all.
    std::string record;
    AppendCArrayRecord(record, bits0(), 0x12345);
    EXPECT_EQ(record, Reference(bits0(), 0x12345));
}

TEST_F(ExportTest, ShortGlyphsArePaddedWithZeros)
{
    Open(3 * 8, 8, 8);
    doc.m_glyph.m_bits.fill(0xEE); // what an earlier export could have left
    ASSERT_EQ(Export(target), EExportResult::Written);
    const std::string text = Slurp(target);
    ASSERT_EQ(text.size(), 3u * 117);
    const std::uint8_t eight[16] = {8, 9, 10, 11, 12, 13, 14, 15};
    EXPECT_EQ(text.substr(117, 117), Reference(eight, 1));

    // The last glyph of a file whose length is no multiple of the glyph
    // size still gets a record, zero after its own bytes.
    Open(32 + 5, 16, 16);
    doc.m_glyph.m_bits.fill(0xEE);
    ASSERT_EQ(Export(target), EExportResult::Written);
    const std::string odd = Slurp(target);
    ASSERT_EQ(odd.size(), 2u * 117);
    const std::uint8_t last[16] = {32, 33, 34, 35, 36};
    EXPECT_EQ(odd.substr(117), Reference(last, 1));

    // A glyph of more than 16 bytes is cut to its first 16.
    Open(2 * 128, 32, 32);
    ASSERT_EQ(Export(target), EExportResult::Written);
    std::uint8_t second[16];
    for (int i = 0; i < 16; ++i)
        second[i] = static_cast<std::uint8_t>(128 + i);
    EXPECT_EQ(Slurp(target), Reference(bits0(), 0) + Reference(second, 1));
}

TEST_F(ExportTest, EmptyFontsGiveEmptyFilesAndCancelGivesNothing)
{
    Open(0, 16, 16);
    std::ofstream(target) << "old contents";
    ASSERT_EQ(Export(target), EExportResult::Written);
    EXPECT_EQ(fs::file_size(target), 0u);

    fs::remove(target);
    ui.m_fileAnswers.push_back(std::nullopt);
    EXPECT_EQ(ExportCArray(doc), EExportResult::Cancelled);
    EXPECT_EQ(ExportCArray(doc), EExportResult::Cancelled); // the queue is empty: cancelled again
    EXPECT_TRUE(ui.m_messages.empty());
    EXPECT_EQ(fs::directory_iterator(dir)->path(), font); // the only file
}

TEST_F(ExportTest, FailuresShowAMessageAndLeaveTheFontAlone)
{
    const std::string bytes = Open(64, 16, 16);
    for (const fs::path& same : {font, dir / "." / "font.bin"})
        EXPECT_EQ(Export(same), EExportResult::SameFile) << same;
    EXPECT_EQ(Export(dir / "missing" / "out.c"), EExportResult::TargetError);
    doc.SetPathName((dir / "gone.bin").string());
    EXPECT_EQ(Export(target), EExportResult::SourceError);

    const auto& messages = ui.m_messages;
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0], (CMessageBoxRequest{kMsgExportToCurrentFile, std::nullopt,
                                               EMessageIcon::Warning, EMessageButtons::Ok}));
    EXPECT_EQ(messages[1], messages[0]);
    EXPECT_NE(messages[2].m_strText.find("out.c"), std::string::npos);
    EXPECT_NE(messages[3].m_strText.find("gone.bin"), std::string::npos);
    EXPECT_EQ(Slurp(font), bytes);
    EXPECT_FALSE(fs::exists(target)); // no target is made from nothing
}
