#include "ScreenOutput.h"

#include "File.h"
#include "SimTestSupport.h"
#include "TempFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace
{
struct ScreenOutput : ::testing::Test
{
    const CTempFolder folder;
    const std::filesystem::path& dir = folder.Path();
    std::ostringstream out;
    CVirtualClock clock;
    CTranscript transcript{&out, clock};
    CVirtualDisplay display;
};
} // namespace

TEST_F(ScreenOutput, ShowsAChangedScreenInTheTranscriptTheTextFileAndThePicture)
{
    CScreenOutput output(display, transcript, (dir / "screen.txt").string(),
                         (dir / "screen.png").string(), nullptr);
    for (const char c : std::string("Hi \xC7"))
        display.WriteCharacter(static_cast<std::uint8_t>(c));
    display.SetBrightness(2);
    output.Update();
    auto entries = ParseTranscript(out.str());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Get("event"), "screen");
    EXPECT_EQ(entries[0].Get("line1"), "Hi \xC7" + std::string(16, ' '));
    EXPECT_EQ(entries[0].Get("line2"), std::string(20, ' '));
    EXPECT_EQ(entries[0].GetInteger("column"), 5);
    EXPECT_EQ(entries[0].GetInteger("brightness"), 2);
    EXPECT_EQ(entries[0].Get("area0_pages"), "");

    const std::string text = ReadWholeFile(dir / "screen.txt");
    // 0xC7 is a box-drawing character in the first code table.
    EXPECT_EQ(text.substr(0, 71), "+--------------------+\n"
                                  "|Hi \xE2\x95\x9F                |\n"
                                  "|                    |\n");
    EXPECT_NE(text.find("brightness: 2 (60%)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("cursor: line 1, column 5\n"), std::string::npos) << text;

    const std::string png = ReadWholeFile(dir / "screen.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
    // Width and height in the header, big-endian.
    auto be32 = [&](std::size_t nAt)
    {
        return static_cast<unsigned char>(png[nAt]) << 24 |
               static_cast<unsigned char>(png[nAt + 1]) << 16 |
               static_cast<unsigned char>(png[nAt + 2]) << 8 |
               static_cast<unsigned char>(png[nAt + 3]);
    };
    EXPECT_EQ(be32(16), CScreenPainter::kWidth);
    EXPECT_EQ(be32(20), CScreenPainter::kHeight);
    EXPECT_FALSE(std::filesystem::exists(dir / "screen.png.part"));

    // Nothing new, nothing shown; a change, shown again.
    output.Update();
    EXPECT_EQ(ParseTranscript(out.str()).size(), 1u);
    display.CursorHome();
    output.Update();
    entries = ParseTranscript(out.str());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].GetInteger("column"), 1);
}

TEST_F(ScreenOutput, AFileThatCannotBeWrittenIsReportedAndTheRestGoesOn)
{
    const auto bad = (dir / "no-such-folder" / "screen.png").string();
    CScreenOutput output(display, transcript, "", bad, nullptr);
    output.Update();
    const auto entries = ParseTranscript(out.str());
    ASSERT_EQ(entries.size(), 2u);
    // The screen entry last: it tells a reader the files are done.
    EXPECT_EQ(entries[0].Get("event"), "error");
    EXPECT_NE(entries[0].Get("text")->find(bad), std::string::npos);
    EXPECT_EQ(entries[1].Get("event"), "screen");
}

TEST_F(ScreenOutput, AFullDiskLeavesTheOldPictureAndNoTemporaryFile)
{
    const auto png = dir / "screen.png";
    std::ofstream(png, std::ios::binary) << "the last picture";
    CScreenOutput output(display, transcript, "", png.string(), nullptr);
    // The disk fills while the picture is written, then when its last bytes
    // go out at close; each time the screen has changed.
    for (const auto operation : {CFile::EOperation::Write, CFile::EOperation::Close})
    {
        display.WriteCharacter('A');
        out.str("");
        CFile::FailNext(operation, ENOSPC);
        output.Update();

        const auto entries = ParseTranscript(out.str());
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].Get("event"), "error");
        const std::string strText = entries[0].Get("text").value_or("");
        EXPECT_NE(strText.find(png.string()), std::string::npos) << strText;
        EXPECT_NE(strText.find(std::strerror(ENOSPC)), std::string::npos) << strText;
        EXPECT_EQ(entries[1].Get("event"), "screen");
        EXPECT_EQ(ReadWholeFile(png), "the last picture");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    }
    // Room again: the next change replaces the picture.
    display.WriteCharacter('B');
    output.Update();
    EXPECT_EQ(ReadWholeFile(png).substr(0, 4), "\x89PNG");
}
