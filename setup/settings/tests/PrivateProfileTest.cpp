#include "PrivateProfile.h"

#include "File.h"
#include "TempFolder.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
struct PrivateProfileTest : ::testing::Test
{
    CTempFolder dir;

    std::string Path() const { return dir / "test.ini"; }
    CPrivateProfile ProfileOf(const std::string& strText) const
    {
        return CPrivateProfile(dir.Write("test.ini", strText));
    }
    std::string Text() const { return dir.Read("test.ini"); }
};
} // namespace

TEST_F(PrivateProfileTest, SectionsAndKeysMatchWithoutCaseOrBlanks)
{
    const auto ini = ProfileOf("; settings\r\n"
                               "[Other]\r\n"
                               "PortName[1to8]=1\r\n"
                               "  [ Polelink ]  \r\n"
                               "  portname[1TO8]  =  3  \r\n"
                               "Model=VF620\r\n");
    EXPECT_EQ(ini.GetInt("POLELINK", "PortName[1to8]", 6), 3);
    EXPECT_EQ(ini.GetInt("polelink", "  PORTNAME[1to8] ", 6), 3);
    EXPECT_EQ(ini.GetString("Polelink", "model", "x", 20), "VF620");
    EXPECT_EQ(ini.GetInt("other", "portname[1to8]", 6), 1);
    // A key of another section or of no section is not this section's key.
    EXPECT_EQ(ini.GetString("Other", "Model", "none", 20), "none");
    EXPECT_EQ(ini.GetString("Missing", "Model", "none", 20), "none");
    // Case folding is ASCII only: other bytes must match exactly.
    EXPECT_EQ(ProfileOf("[Ä]\nk=1\n").GetInt("ä", "k", 7), 7);
    EXPECT_EQ(ProfileOf("[Ä]\nk=1\n").GetInt("Ä", "K", 7), 1);
}

TEST_F(PrivateProfileTest, TheFirstOfRepeatedSectionsAndKeysCounts)
{
    const auto ini = ProfileOf("[S]\nk=1\nk=2\n[T]\nj=5\n[s]\nk=3\nm=4\n");
    EXPECT_EQ(ini.GetInt("S", "k", 0), 1);
    // Only the first section of a name is searched.
    EXPECT_EQ(ini.GetInt("S", "m", -9), -9);
}

TEST_F(PrivateProfileTest, MissingKeyOrEmptyValueGivesTheDefaultNumber)
{
    const auto ini = ProfileOf("[S]\nEmpty=\nBlank=   \nQuoted=\"\"\nBare\nZero=0\n");
    EXPECT_EQ(ini.GetInt("S", "Missing", -1), -1);
    EXPECT_EQ(ini.GetInt("S", "Empty", -1), -1);
    EXPECT_EQ(ini.GetInt("S", "Blank", 42), 42);
    EXPECT_EQ(ini.GetInt("S", "Quoted", 42), 42);
    EXPECT_EQ(ini.GetInt("S", "Bare", 42), 42);
    EXPECT_EQ(ini.GetInt("S", "Zero", 42), 0);
    // As text, an empty value is empty; only a missing one takes the default.
    EXPECT_EQ(ini.GetString("S", "Empty", "def", 20), "");
    EXPECT_EQ(ini.GetString("S", "Bare", "def", 20), "def");
    EXPECT_EQ(ini.GetString("S", "Missing", "def  ", 20), "def");
}

TEST_F(PrivateProfileTest, NumbersReadAsThePlatformReadsThem)
{
    const struct
    {
        const char* m_pszValue;
        int m_nExpected;
    } cases[] = {
        {"12", 12},
        {"-1", -1},
        {"+5", 5},
        {"12abc", 12},
        {"abc", 0},
        {"-", 0},
        {"- 5", 0},
        {"+-5", 0},
        {"0x10", 0},
        {"1.9", 1},
        {"007", 7},
        {"'42'", 42},
        {"\"-3\"", -3},
        {"\" 8\"", 8},
        {"3 4", 3},
        {"未知", 0},
        {"2147483647", 2147483647},
        {"4294967295", -1},
        {"4294967296", 0},
    };
    for (const auto& c : cases)
    {
        const auto ini = ProfileOf(std::string("[S]\nk=") + c.m_pszValue + "\n");
        EXPECT_EQ(ini.GetInt("S", "k", 99), c.m_nExpected) << c.m_pszValue;
        // Quotes belong to the value reader, not the number reader.
        if (c.m_pszValue[0] != '"' && c.m_pszValue[0] != '\'')
        {
            EXPECT_EQ(ReadProfileInt(c.m_pszValue, 99), c.m_nExpected) << c.m_pszValue;
        }
    }
    EXPECT_EQ(ReadProfileInt("  \t-12", 99), -12);
    EXPECT_EQ(ReadProfileInt("", 99), 99);
}

TEST_F(PrivateProfileTest, TextValuesLoseBlanksAndOnePairOfQuotes)
{
    const auto ini = ProfileOf("[S]\n"
                               "a =  two words  \n"
                               "b=\"quoted \"\n"
                               "c='x'y\"\n"
                               "d=\"'both'\"\n"
                               "e=x=y;z\n"
                               "f=\"\n");
    EXPECT_EQ(ini.GetString("S", "a", "", 100), "two words");
    EXPECT_EQ(ini.GetString("S", "b", "", 100), "quoted ");
    EXPECT_EQ(ini.GetString("S", "c", "", 100), "'x'y\"");
    EXPECT_EQ(ini.GetString("S", "d", "", 100), "'both'");
    EXPECT_EQ(ini.GetString("S", "e", "", 100), "x=y;z");
    EXPECT_EQ(ini.GetString("S", "f", "", 100), "\"");
}

TEST_F(PrivateProfileTest, TextIsCutToTheBufferWithoutSplittingACharacter)
{
    const auto ini = ProfileOf("[S]\n"
                               "long=ABCDEFGHIJKLMNOPQRSTUVWXYZ\n"
                               "cjk=ABCDEFGHIJKLMNOPQ未知\n");
    EXPECT_EQ(ini.GetString("S", "long", "", 20), "ABCDEFGHIJKLMNOPQRS");
    // 17 letters and the 3 bytes of 未 would be 20: the cut backs off to 17.
    EXPECT_EQ(ini.GetString("S", "cjk", "", 20), "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(ini.GetString("S", "cjk", "", 21), "ABCDEFGHIJKLMNOPQ未");
    EXPECT_EQ(ini.GetString("S", "missing", "未知", 20), "未知");
    EXPECT_EQ(ini.GetString("S", "missing", "未知", 6), "未");
    EXPECT_EQ(ini.GetString("S", "long", "", 1), "");
    EXPECT_EQ(ini.GetString("S", "long", "", 0), "");
}

TEST_F(PrivateProfileTest, CommentsAndAByteOrderMarkAreNotKeys)
{
    auto ini = ProfileOf("\xEF\xBB\xBF[S]\r\n;k=1\r\n  ; k=2\r\nk=3\r\n");
    EXPECT_EQ(ini.GetInt("S", "k", 0), 3);
    EXPECT_EQ(ini.GetInt("S", ";k", 0), 0);
    // Writing keeps the mark.
    ASSERT_TRUE(ini.WriteString("S", "k", "2"));
    EXPECT_EQ(Text(), "\xEF\xBB\xBF[S]\r\n;k=1\r\n  ; k=2\r\nk=2\r\n");
}

TEST_F(PrivateProfileTest, LinesEndingInLfOrCrLfReadAlike)
{
    for (const char* pszEol : {"\n", "\r\n"})
    {
        const std::string eol = pszEol;
        const auto ini = ProfileOf("[S]" + eol + "k=v" + eol + "n=5" + eol);
        EXPECT_EQ(ini.GetString("S", "k", "", 20), "v");
        EXPECT_EQ(ini.GetInt("S", "n", 0), 5);
    }
    // The last line needs no line ending.
    EXPECT_EQ(ProfileOf("[S]\r\nn=7").GetInt("S", "n", 0), 7);
}

TEST_F(PrivateProfileTest, AMissingFileReadsAsDefaults)
{
    const CPrivateProfile ini(dir / "none.ini");
    EXPECT_EQ(ini.GetLastError(), "");
    EXPECT_EQ(ini.GetInt("S", "k", 5), 5);
    EXPECT_EQ(ini.GetString("S", "k", "d", 20), "d");
    EXPECT_FALSE(dir.Exists("none.ini"));

    // A folder is there but cannot be read as a file.
    fs::create_directories(dir.Path() / "folder.ini");
    CPrivateProfile folder(dir / "folder.ini");
    EXPECT_FALSE(folder.Load());
    EXPECT_NE(folder.GetLastError().find("folder.ini"), std::string::npos);
    EXPECT_EQ(folder.GetInt("S", "k", 5), 5);
}

TEST_F(PrivateProfileTest, WritingCreatesFileSectionAndKey)
{
    CPrivateProfile ini(Path());
    ASSERT_TRUE(ini.WriteString("Polelink", "Model[VF510]|[VF620]|[VF730]", "VF730/VF730E"));
    EXPECT_EQ(Text(), "[Polelink]\r\nModel[VF510]|[VF620]|[VF730]=VF730/VF730E\r\n");
    ASSERT_TRUE(ini.WriteString("Polelink", "PortName[1to8]", "3"));
    ASSERT_TRUE(ini.WriteString("Other", "k", "未知"));
    EXPECT_EQ(Text(), "[Polelink]\r\n"
                      "Model[VF510]|[VF620]|[VF730]=VF730/VF730E\r\n"
                      "PortName[1to8]=3\r\n"
                      "[Other]\r\n"
                      "k=未知\r\n");

    const CPrivateProfile back(Path());
    EXPECT_EQ(back.GetString("Polelink", "Model[VF510]|[VF620]|[VF730]", "", 20), "VF730/VF730E");
    EXPECT_EQ(back.GetInt("Polelink", "PortName[1to8]", 0), 3);
    EXPECT_EQ(back.GetString("Other", "k", "", 20), "未知");
    EXPECT_EQ(dir.Count(), 1u);
}

TEST_F(PrivateProfileTest, WritingChangesOnlyTheKeysLine)
{
    const std::string before = "; written by hand\r\n"
                               "[First]\r\n"
                               "  Spaced   =  value  \r\n"
                               "\r\n"
                               "[Polelink_Set]\r\n"
                               "BaudRate = 1 ; old\r\n"
                               "Contrast=2\r\n"
                               "\r\n"
                               "; about the last\r\n"
                               "[Last]\n"
                               "x=\"y\"";
    CPrivateProfile ini = ProfileOf(before);
    ASSERT_TRUE(ini.WriteString("POLELINK_SET", "baudrate", "-1"));
    // The key keeps its spelling; the rest of the file is untouched.
    std::string expected = before;
    expected.replace(expected.find("BaudRate = 1 ; old"), 18, "BaudRate=-1");
    EXPECT_EQ(Text(), expected);

    // A new key goes after the section's last key, before the blank line and
    // the comment that belong to the next section.
    ASSERT_TRUE(ini.WriteString("Polelink_Set", "Code", "15"));
    expected.replace(expected.find("Contrast=2\r\n"), 12, "Contrast=2\r\nCode=15\r\n");
    EXPECT_EQ(Text(), expected);

    // A new section goes at the end; the unterminated last line gets an
    // ending, the file's first one.
    ASSERT_TRUE(ini.WriteString("New", "k", "v"));
    EXPECT_EQ(Text(), expected + "\r\n[New]\r\nk=v\r\n");
}

TEST_F(PrivateProfileTest, NewLinesFollowTheFilesLineEndings)
{
    ProfileOf("[S]\nk=1\n");
    CPrivateProfile ini(Path());
    ASSERT_TRUE(ini.WriteString("S", "j", "2"));
    ASSERT_TRUE(ini.WriteString("T", "k", "3"));
    EXPECT_EQ(Text(), "[S]\nk=1\nj=2\n[T]\nk=3\n");

    // An empty section header as the last line, without a line ending.
    ProfileOf("[S]");
    ASSERT_TRUE(ini.WriteString("s", "k", "1"));
    EXPECT_EQ(Text(), "[S]\r\nk=1\r\n");
}

TEST_F(PrivateProfileTest, KeysWithBracketsAndBarsRoundTripVerbatim)
{
    CPrivateProfile ini(Path());
    const std::string keys[] = {"Model[VF510]|[VF620]|[VF730]", "PortName[1to8]",
                                "BaudRate[9600][19200][38400][115200]", "a]b[c|"};
    int n = 0;
    for (const auto& key : keys)
        ASSERT_TRUE(ini.WriteString("Polelink", key, std::to_string(++n)));
    n = 0;
    for (const auto& key : keys)
    {
        EXPECT_NE(Text().find(key + "=" + std::to_string(++n) + "\r\n"), std::string::npos) << key;
        EXPECT_EQ(CPrivateProfile(Path()).GetInt("Polelink", key, 0), n) << key;
    }
    // Rewriting a key does not add a second line.
    ASSERT_TRUE(ini.WriteString("Polelink", "portname[1TO8]", "9"));
    EXPECT_EQ(CPrivateProfile(Path()).GetInt("Polelink", "PortName[1to8]", 0), 9);
    EXPECT_EQ(Text().find("PortName"), Text().rfind("PortName"));
    EXPECT_NE(Text().find("PortName[1to8]=9\r\n"), std::string::npos);
}

TEST_F(PrivateProfileTest, NamesAndValuesThatWouldBreakTheFileAreRefused)
{
    const std::string before = "[S]\r\nk=1\r\n";
    CPrivateProfile ini = ProfileOf(before);
    EXPECT_FALSE(ini.WriteString("S", "k", "1\r\n[T]"));
    EXPECT_FALSE(ini.WriteString("S", "a=b", "1"));
    EXPECT_FALSE(ini.WriteString("S", "[T]", "1"));
    EXPECT_FALSE(ini.WriteString("S", ";k", "1"));
    EXPECT_FALSE(ini.WriteString("S", "", "1"));
    EXPECT_FALSE(ini.WriteString("", "k", "1"));
    EXPECT_FALSE(ini.WriteString("S\nT", "k", "1"));
    EXPECT_NE(ini.GetLastError().find("test.ini"), std::string::npos);
    EXPECT_EQ(Text(), before);
}

TEST_F(PrivateProfileTest, AFailedWriteSaysWhyAndLeavesNothingBehind)
{
    CPrivateProfile ini(dir / "no/such/folder/test.ini");
    EXPECT_FALSE(ini.WriteString("S", "k", "1"));
    EXPECT_EQ(ini.GetLastError().rfind(dir / "no/such/folder/test.ini: cannot write: ", 0), 0u)
        << ini.GetLastError();
    EXPECT_EQ(dir.Count(), 0u);
}

TEST_F(PrivateProfileTest, AnUnreadableFileIsNeverWrittenOver)
{
    CPrivateProfile ini = ProfileOf("[S]\nk=1\n");
    CFile::FailNext(CFile::EOperation::Open, EACCES); // unreadable for this user
    EXPECT_FALSE(ini.WriteString("S", "j", "2"));
    EXPECT_EQ(Text(), "[S]\nk=1\n");
    EXPECT_EQ(dir.Count(), 1u);
}

TEST_F(PrivateProfileTest, WritingKeepsTheFilesPermissions)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows files have no owner, group and other permissions";
#endif
    ProfileOf("[S]\nk=1\n");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(Path(), perms);
    CPrivateProfile ini(Path());
    ASSERT_TRUE(ini.WriteString("S", "k", "2"));
    EXPECT_EQ(fs::status(Path()).permissions(), perms);
}

TEST_F(PrivateProfileTest, SeveralKeysAreWrittenTogetherOrNotAtAll)
{
    CPrivateProfile ini = ProfileOf("[S]\nk=1\n");
    ASSERT_TRUE(ini.WriteStrings("S", {{"k", "2"}, {"j", "3"}}));
    EXPECT_EQ(Text(), "[S]\nk=2\nj=3\n");
    EXPECT_FALSE(ini.WriteStrings("S", {{"k", "4"}, {"a=b", "5"}}));
    EXPECT_EQ(Text(), "[S]\nk=2\nj=3\n");

    // A file without write permission is read-only, for root too: refused, kept.
    fs::permissions(Path(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(ini.WriteStrings("S", {{"k", "6"}}));
    EXPECT_EQ(ini.GetLastError(), Path() + ": cannot write: the file is read-only");
    EXPECT_EQ(Text(), "[S]\nk=2\nj=3\n");
    fs::permissions(Path(), fs::perms::owner_read | fs::perms::owner_write);
}
