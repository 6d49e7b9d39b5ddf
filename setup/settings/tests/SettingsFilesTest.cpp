#include "ConnectionFile.h"
#include "SettingsFile.h"
#include "TempFolder.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace
{
struct SettingsFilesTest : ::testing::Test
{
    CTempFolder dir;
};
} // namespace

TEST_F(SettingsFilesTest, AMissingConnectionFileReadsAsDefaults)
{
    CConnectionFile file(dir / "Polelink.ini");
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(file.Read(), (CConnectionSettings{"未知", 6, 9600}));
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(CConnectionFile().GetPath(), "./Polelink.ini");
}

TEST_F(SettingsFilesTest, TheConnectionFileHoldsItsThreeKeysInOrder)
{
    CConnectionFile file(dir / "Polelink.ini");
    ASSERT_TRUE(file.Write({"VF730/VF730E", 3, 19200}));
    EXPECT_TRUE(file.Exists());
    EXPECT_EQ(dir.Read("Polelink.ini"), "[Polelink]\r\n"
                                        "Model[VF510]|[VF620]|[VF730]=VF730/VF730E\r\n"
                                        "PortName[1to8]=3\r\n"
                                        "BaudRate[9600][19200][38400][115200]=19200\r\n");
    EXPECT_EQ(file.Read(), (CConnectionSettings{"VF730/VF730E", 3, 19200}));

    // Rewriting keeps one line a key, and no port is stored as 0.
    ASSERT_TRUE(file.Write({"VF620", 0, 38400}));
    EXPECT_EQ(dir.Read("Polelink.ini"), "[Polelink]\r\n"
                                        "Model[VF510]|[VF620]|[VF730]=VF620\r\n"
                                        "PortName[1to8]=0\r\n"
                                        "BaudRate[9600][19200][38400][115200]=38400\r\n");
}

TEST_F(SettingsFilesTest, TheConnectionFileReadsByTheProfileRules)
{
    CConnectionFile file(dir / "Polelink.ini");
    dir.Write("Polelink.ini", "[polelink]\n"
                              "model[vf510]|[vf620]|[vf730]=ABCDEFGHIJKLMNOPQRSTUVWXYZ\n"
                              "PortName[1to8]=\n"
                              "BaudRate[9600][19200][38400][115200]=fast\n");
    // The model is cut to 19 characters; an empty port takes the default,
    // text that is not a number reads as 0.
    EXPECT_EQ(file.Read(), (CConnectionSettings{"ABCDEFGHIJKLMNOPQRS", 6, 0}));

    dir.Write("Polelink.ini", "[Polelink]\n"
                              "Model[VF510]|[VF620]|[VF730]=\n"
                              "PortName[1to8]=8\n");
    EXPECT_EQ(file.Read(), (CConnectionSettings{"", 8, 9600}));

    // The names only, without the brackets and bars, are other keys.
    dir.Write("Polelink.ini", "[Polelink]\nModel=VF620\nPortName=2\nBaudRate=1200\n");
    EXPECT_EQ(file.Read(), CConnectionSettings{});
}

TEST_F(SettingsFilesTest, WritingTheConnectionFileKeepsTheRest)
{
    CConnectionFile file(dir / "Polelink.ini");
    dir.Write("Polelink.ini", "[Library]\nTrace=1\n[Polelink]\nPortName[1to8]=2\nExtra=x\n");
    ASSERT_TRUE(file.Write({"VF510", 1, 1200}));
    EXPECT_EQ(dir.Read("Polelink.ini"), "[Library]\nTrace=1\n[Polelink]\n"
                                        "PortName[1to8]=1\nExtra=x\n"
                                        "Model[VF510]|[VF620]|[VF730]=VF510\n"
                                        "BaudRate[9600][19200][38400][115200]=1200\n");

    CConnectionFile nowhere(dir / "missing/Polelink.ini");
    EXPECT_FALSE(nowhere.Write({"VF510", 1, 1200}));
    EXPECT_NE(nowhere.GetLastError().find("missing/Polelink.ini"), std::string::npos);
}

TEST_F(SettingsFilesTest, ASettingsFileHoldsTheFiveValuesInOrder)
{
    CSettingsFile file(dir / "s.ini");
    ASSERT_TRUE(file.Write({3, 2, 0, 0, 0}));
    EXPECT_EQ(dir.Read("s.ini"), "[Polelink_Set]\r\n"
                                 "BaudRate=3\r\n"
                                 "Contrast=2\r\n"
                                 "Language=0\r\n"
                                 "Character=0\r\n"
                                 "Code=0\r\n");

    const CSettingsValues values{-1, 3, 1, 14, 15};
    ASSERT_TRUE(file.Write(values));
    CSettingsValues back{9, 9, 9, 9, 9};
    ASSERT_TRUE(file.Read(back));
    EXPECT_EQ(back, values);
    EXPECT_NE(dir.Read("s.ini").find("BaudRate=-1\r\n"), std::string::npos);
}

TEST_F(SettingsFilesTest, ASettingsFileReadsDefaultsForWhatIsMissing)
{
    CSettingsFile file(dir / "s.ini");
    CSettingsValues values{9, 9, 9, 9, 9};
    ASSERT_TRUE(file.Read(values)); // no file
    EXPECT_EQ(values, (CSettingsValues{-1, -1, 0, 0, 0}));

    dir.Write("s.ini", "[Other]\nBaudRate=1\nContrast=1\nLanguage=1\n");
    values = {9, 9, 9, 9, 9};
    ASSERT_TRUE(file.Read(values)); // no section
    EXPECT_EQ(values, (CSettingsValues{-1, -1, 0, 0, 0}));

    dir.Write("s.ini", "[polelink_set]\nbaudrate=\ncontrast=-1\nLanguage=5\nCode=PC437\n");
    values = {9, 9, 9, 9, 9};
    ASSERT_TRUE(file.Read(values));
    EXPECT_EQ(values, (CSettingsValues{-1, -1, 5, 0, 0}));
}

TEST_F(SettingsFilesTest, AnUnreadableSettingsFileLeavesTheValues)
{
    std::filesystem::create_directories(dir.Path() / "folder.ini");
    CSettingsFile file(dir / "folder.ini");
    CSettingsValues values{1, 2, 1, 3, 4};
    EXPECT_FALSE(file.Read(values));
    EXPECT_EQ(values, (CSettingsValues{1, 2, 1, 3, 4}));
    EXPECT_NE(file.GetLastError().find("folder.ini"), std::string::npos);
    EXPECT_FALSE(file.Write(values));
}
