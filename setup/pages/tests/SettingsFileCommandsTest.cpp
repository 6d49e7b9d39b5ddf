#include "SettingsFileCommands.h"

#include "FakeControls.h"
#include "File.h"
#include "RecordingPolelink.h"
#include "RecordingUserInterface.h"
#include "TempFolder.h"

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<std::uint8_t>;

const CMessageBoxRequest kSaved{"Saved successfully.", "prompt", EMessageIcon::None,
                                EMessageButtons::Ok};
const std::string kResetFile = "[Polelink_Set]\r\n"
                               "BaudRate=3\r\n"
                               "Contrast=2\r\n"
                               "Language=0\r\n"
                               "Character=0\r\n"
                               "Code=0\r\n";

struct SettingsFileCommandsTest : ::testing::Test
{
    CTempFolder dir;
    CWorkingDirectory cwd{dir.Path()};
    CFakeControls controls;
    CRecordingUserInterface ui;
    CRecordingPolelink polelink;
    CDisplayState display;
    Settings page{controls, ui, polelink, display};
    std::vector<std::string> captions;

    SettingsFileCommandsTest()
    {
        controls.AddRadioGroup(Settings::kInternationalRadio, 2);
        page.OnInitDialog();
    }
    CSettingsFileCommands Commands(const std::string& strModel, Settings* pPage)
    {
        return CSettingsFileCommands(ui, strModel, pPage,
                                     [this](const std::string& s) { captions.push_back(s); });
    }
    CSettingsFileCommands Commands(const std::string& strModel)
    {
        return Commands(strModel, &page);
    }
    std::vector<Bytes> Update()
    {
        polelink.m_calls.clear();
        page.OnUpdate();
        return polelink.Sent();
    }
};
} // namespace

TEST_F(SettingsFileCommandsTest, SaveAsWritesThePagesControlsAndSaysSo)
{
    page.OnReset();
    controls.SetValue(1021, 0); // not yet taken into the page's values
    ui.m_fileAnswers.push_back(dir / "MySetting.ini");
    Commands("VF620").OnSaveAs();

    ASSERT_EQ(ui.m_fileDialogs.size(), 1u);
    const auto& request = ui.m_fileDialogs[0];
    EXPECT_FALSE(request.m_bOpen);
    EXPECT_EQ(request.m_strFilter, "文本文件(*.ini)|*.ini|所有文件(*.*)|*.*||");
    EXPECT_EQ(request.m_strDefaultExt, "ini");
    EXPECT_EQ(request.m_strFileName, "MySetting");
    EXPECT_TRUE(request.m_bHideReadOnly);
    EXPECT_TRUE(request.m_bOverwritePrompt);

    std::string expected = kResetFile;
    expected.replace(expected.find("Contrast=2"), 10, "Contrast=0");
    EXPECT_EQ(dir.Read("MySetting.ini"), expected);
    EXPECT_EQ(captions, std::vector<std::string>{"VF620-MySetting.ini"});
    EXPECT_EQ(ui.m_messages, std::vector<CMessageBoxRequest>{kSaved});
}

TEST_F(SettingsFileCommandsTest, CancellingADialogDoesNothing)
{
    Commands("VF620").OnSaveAs();
    Commands("VF620").OnOpenSettingFile();
    EXPECT_EQ(ui.m_fileDialogs.size(), 2u);
    EXPECT_TRUE(ui.m_messages.empty());
    EXPECT_TRUE(captions.empty());
    EXPECT_EQ(dir.Count(), 0u);
}

TEST_F(SettingsFileCommandsTest, AFailedSaveNamesTheFileAndIsNotReportedAsSuccess)
{
    const std::string strPath = dir / "missing/MySetting.ini";
    ui.m_fileAnswers.push_back(strPath);
    Commands("VF620").OnSaveAs();
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find(strPath), std::string::npos);
    EXPECT_NE(ui.m_messages[0].m_strText, "Saved successfully.");
    EXPECT_TRUE(captions.empty());

    // The model's own file in a working folder that cannot take it.
    std::filesystem::create_directories(dir.Path() / "VF620.ini");
    ui.m_messages.clear();
    Commands("VF620").OnSaveSettingFile();
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("./VF620.ini"), std::string::npos);
    EXPECT_TRUE(captions.empty());
}

TEST_F(SettingsFileCommandsTest, AFullDiskLeavesTheOldFileAndNoTemporaryFile)
{
    const std::string strOld = "; mine\r\n[Polelink_Set]\r\nBaudRate=1\r\nContrast=1\r\n";
    const std::string strPath = dir.Write("MySetting.ini", strOld);
    page.OnReset();
    // The disk fills while the keys are written, and when the last of them
    // goes out at close (no old file to read first: the close is the save's).
    for (const auto operation : {CFile::EOperation::Write, CFile::EOperation::Close})
    {
        const bool bNew = operation == CFile::EOperation::Close;
        const std::string strTarget = bNew ? dir / "New.ini" : strPath;
        ui.m_messages.clear();
        ui.m_fileAnswers.push_back(strTarget);
        CFile::FailNext(operation, ENOSPC);
        Commands("VF620").OnSaveAs();

        ASSERT_EQ(ui.m_messages.size(), 1u);
        const std::string& strText = ui.m_messages[0].m_strText;
        EXPECT_NE(strText.find(strTarget), std::string::npos) << strText;
        EXPECT_NE(strText.find(std::strerror(ENOSPC)), std::string::npos) << strText;
        EXPECT_TRUE(captions.empty());
        EXPECT_EQ(dir.Read("MySetting.ini"), strOld);
        EXPECT_EQ(dir.Count(), 1u); // the old file alone: no temporary, no new file
    }
}

TEST_F(SettingsFileCommandsTest, PathsLongerThan259CharactersAreRefused)
{
    const std::string strFolder = dir / "";
    const std::string strLongest =
        strFolder + std::string(259 - strFolder.size() - 4, 'a') + ".ini";
    ASSERT_EQ(strLongest.size(), 259u);
    ui.m_fileAnswers.push_back(strLongest);
    Commands("VF620").OnSaveAs();
    EXPECT_EQ(ui.m_messages, std::vector<CMessageBoxRequest>{kSaved});
    EXPECT_EQ(dir.Count(), 1u);

    const std::string strTooLong =
        strFolder + std::string(260 - strFolder.size() - 4, 'b') + ".ini";
    ui.m_messages.clear();
    ui.m_fileAnswers.push_back(strTooLong);
    Commands("VF620").OnSaveAs();
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("259"), std::string::npos);
    EXPECT_NE(ui.m_messages[0].m_strText.find(strTooLong), std::string::npos);
    EXPECT_EQ(dir.Count(), 1u);
    EXPECT_EQ(captions.size(), 1u);

    // Nor is such a file opened.
    ui.m_messages.clear();
    ui.m_fileAnswers.push_back(strTooLong);
    Commands("VF620").OnOpenSettingFile();
    EXPECT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(captions.size(), 1u);
}

TEST_F(SettingsFileCommandsTest, SaveSettingFileUsesTheModelsOwnFile)
{
    page.OnReset();
    Commands("VF620").OnSaveSettingFile();
    EXPECT_EQ(dir.Read("VF620.ini"), kResetFile);
    EXPECT_EQ(captions.back(), "VF620-VF620.ini");
    EXPECT_EQ(ui.m_messages, std::vector<CMessageBoxRequest>{kSaved});
    EXPECT_TRUE(ui.m_fileDialogs.empty());

    // The slash of "VF730/VF730E" would make a folder: its file is a file,
    // and "Open Setting File" reads it back.
    controls.SetValue(1017, 14);
    Commands("VF730/VF730E").OnSaveSettingFile();
    EXPECT_TRUE(dir.Exists("VF730-VF730E.ini"));
    EXPECT_FALSE(dir.Exists("VF730"));
    EXPECT_EQ(captions.back(), "VF730/VF730E-VF730-VF730E.ini");

    page.SetFileValues({});
    page.UpdateData(false);
    ui.m_fileAnswers.push_back(dir / "VF730-VF730E.ini");
    Commands("VF730/VF730E").OnOpenSettingFile();
    EXPECT_EQ(page.GetFileValues(), (CSettingsValues{3, 2, 0, 0, 14}));
    EXPECT_EQ(captions.back(), "VF730/VF730E-VF730-VF730E.ini");
}

TEST_F(SettingsFileCommandsTest, OpenLoadsTheValuesAndShowsThem)
{
    dir.Write("in.ini", "[Polelink_Set]\nBaudRate=5\nContrast=1\nLanguage=1\nCharacter=13\n"
                        "Code=15\n");
    ui.m_fileAnswers.push_back(dir / "in.ini");
    Commands("VF730/VF730E").OnOpenSettingFile();

    ASSERT_EQ(ui.m_fileDialogs.size(), 1u);
    EXPECT_TRUE(ui.m_fileDialogs[0].m_bOpen);
    EXPECT_EQ(ui.m_fileDialogs[0].m_strDefaultExt, "ini");
    EXPECT_EQ(ui.m_fileDialogs[0].m_strFileName, "");
    EXPECT_EQ(ui.m_fileDialogs[0].m_strFilter, "文本文件(*.ini)|*.ini|所有文件(*.*)|*.*||");
    EXPECT_TRUE(ui.m_messages.empty());
    EXPECT_EQ(captions, std::vector<std::string>{"VF730/VF730E-in.ini"});
    EXPECT_EQ(controls.GetValue(1020), 5);
    EXPECT_EQ(controls.GetValue(1021), 1);
    EXPECT_EQ(controls.GetValue(1002), 1);
    EXPECT_EQ(controls.GetValue(1022), 13);
    EXPECT_EQ(controls.GetValue(1017), 15);
    EXPECT_EQ(Update(), (std::vector<Bytes>{{0x02, 0x05, 0x52, 0x30, 0x03},
                                            {0x1B, 0x52, 0x0E},
                                            {0x1B, 0x74, 0x0F},
                                            {0x1F, 0x58, 0x02, 0x1B, 0x40},
                                            {0x02, 0x05, 0x42, 0x36, 0x03}}));
}

TEST_F(SettingsFileCommandsTest, WhatAFileLacksOrCannotBeOnThePageIsLeftOut)
{
    page.AdaptToVF620();
    page.OnReset();
    // Written for "VF730/VF730E": code table 15 is beyond the "VF620" list;
    // a language of 2 checks neither button; no contrast.
    dir.Write("730.ini", "[Polelink_Set]\r\nBaudRate=\r\nContrast=-1\r\nLanguage=2\r\n"
                         "Character=x\r\nCode=15\r\n");
    ui.m_fileAnswers.push_back(dir / "730.ini");
    Commands("VF620").OnOpenSettingFile();
    EXPECT_EQ(controls.GetValue(1017), -1);
    EXPECT_EQ(controls.GetValue(1002), -1);
    EXPECT_EQ(Update(), (std::vector<Bytes>{{0x02, 0x05, 0x52, 0x30, 0x03}, {0x1B, 0x52, 0x00}}));
    EXPECT_TRUE(ui.m_messages.empty());

    // A file without the section gives all defaults.
    dir.Write("other.ini", "[Polelink]\r\nPortName[1to8]=3\r\n");
    ui.m_fileAnswers.push_back(dir / "other.ini");
    Commands("VF620").OnOpenSettingFile();
    EXPECT_EQ(page.GetFileValues(), CSettingsValues{});
    EXPECT_EQ(captions.back(), "VF620-other.ini");
}

TEST_F(SettingsFileCommandsTest, AFileThatCannotBeReadChangesNothing)
{
    page.OnReset();
    ui.m_fileAnswers.push_back(dir / "typo.ini");
    std::filesystem::create_directories(dir.Path() / "folder.ini");
    ui.m_fileAnswers.push_back(dir / "folder.ini");
    Commands("VF620").OnOpenSettingFile();
    Commands("VF620").OnOpenSettingFile();

    ASSERT_EQ(ui.m_messages.size(), 2u);
    EXPECT_NE(ui.m_messages[0].m_strText.find(dir / "typo.ini"), std::string::npos);
    EXPECT_NE(ui.m_messages[1].m_strText.find(dir / "folder.ini"), std::string::npos);
    EXPECT_TRUE(captions.empty());
    EXPECT_EQ(page.GetFileValues(), (CSettingsValues{3, 2, 0, 0, 0}));
    EXPECT_EQ(controls.GetValue(1020), 3);
}

TEST_F(SettingsFileCommandsTest, AModelWithoutSettingsPageSaysSo)
{
    auto commands = Commands("未知", nullptr);
    commands.OnSaveAs();
    commands.OnOpenSettingFile();
    commands.OnSaveSettingFile();
    ASSERT_EQ(ui.m_messages.size(), 3u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("未知"), std::string::npos);
    EXPECT_TRUE(ui.m_fileDialogs.empty());
    EXPECT_TRUE(captions.empty());
    EXPECT_EQ(dir.Count(), 0u);
}
