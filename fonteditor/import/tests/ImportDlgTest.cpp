#include "ImportDlg.h"

#include "ConsoleFont.h"
#include "FakeControls.h"
#include "RecordingUserInterface.h"
#include "TempFolder.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
struct ImportDlgTest : ::testing::Test
{
    CFakeControls controls;
    CRecordingUserInterface ui;
    CImportDlg dlg{controls, ui};
    const CTempFolder folder;
    const fs::path& dir = folder.Path();

    void SetUp() override { dlg.OnInitDialog(); }
};
} // namespace

TEST_F(ImportDlgTest, AConsoleFontBecomesAFontFileWhereTheUserSaysWithItsGeometry)
{
    ASSERT_TRUE(fs::exists(CConsoleFont::kDefaultPath)) << "console-setup-linux's fonts";
    EXPECT_EQ(controls.Items(kIdImportMapping).at(1), "CP437");

    ui.m_fileAnswers = {std::string(CConsoleFont::kDefaultPath), (dir / "vga.fnt").string()};
    dlg.OnBrowse();
    EXPECT_EQ(controls.GetText(kIdImportSource), CConsoleFont::kDefaultPath);
    controls.SetText(kIdImportCount, "128");
    ASSERT_TRUE(dlg.OnOK()) << (ui.Texts().empty() ? "" : ui.Texts().back());

    // 128 glyphs of 8 x 16; the suggested name is the source's with .fnt.
    EXPECT_EQ(ui.m_fileDialogs.at(1).m_strFileName, "Uni1-VGA16.fnt");
    EXPECT_EQ(dlg.m_strWritten, (dir / "vga.fnt").string());
    EXPECT_EQ(dlg.m_nWrittenWidth, 8u);
    EXPECT_EQ(dlg.m_nWrittenHeight, 16u);
    EXPECT_EQ(fs::file_size(dir / "vga.fnt"), 128u * 8u * 2u);
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.Texts()[0].find("glyphs imported"), std::string::npos) << ui.Texts()[0];
}

TEST_F(ImportDlgTest, BadEntriesAndBadSourcesKeepTheDialogOpenAndWriteNothing)
{
    EXPECT_FALSE(dlg.OnOK()); // no source
    EXPECT_EQ(ui.Texts().back(), "Choose the font to import.");

    std::ofstream(dir / "junk.psf") << "not a font at all";
    controls.SetText(kIdImportSource, (dir / "junk.psf").string());
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(ui.Texts().back().rfind("Cannot import the font.\n", 0), 0u) << ui.Texts().back();
    EXPECT_NE(ui.Texts().back().find("junk.psf"), std::string::npos) << ui.Texts().back();

    controls.SetText(kIdImportSource, CConsoleFont::kDefaultPath);
    controls.SetText(kIdImportHeight, "40");
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(ui.Texts().back(), "Please enter an integer between 1 and 32.");

    // The target chosen is cancelled: nothing is written, the dialog stays.
    controls.SetText(kIdImportHeight, "16");
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_TRUE(dlg.m_strWritten.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}
