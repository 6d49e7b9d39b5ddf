#include "RecentFileLabel.h"

#include <gtest/gtest.h>

TEST(RecentFileLabel, ShortPathsAreShownWholeAndNumbered)
{
    EXPECT_EQ(RecentFileLabel(0, "/tmp/font.bin"), "&1 /tmp/font.bin");
    EXPECT_EQ(RecentFileLabel(3, "font.bin"), "&4 font.bin");
    // An ampersand of the path is shown, not taken as the mnemonic.
    EXPECT_EQ(RecentFileLabel(1, "/tmp/a&b.fnt"), "&2 /tmp/a&&b.fnt");
}

TEST(RecentFileLabel, LongPathsLeaveOutFoldersInTheMiddle)
{
    EXPECT_EQ(AbbreviatePath("/home/ann/projects/fonts/vfd.fnt", 30), "/home/.../fonts/vfd.fnt");
    EXPECT_EQ(AbbreviatePath("/home/ann/projects/display/fonts/vfd.fnt", 35),
              "/home/.../display/fonts/vfd.fnt");
    // The file name is never cut, however long.
    const std::string strLong = "/home/ann/a-very-long-font-file-name-indeed.fnt";
    EXPECT_EQ(AbbreviatePath(strLong, 30), "/.../a-very-long-font-file-name-indeed.fnt");
    // Nothing in the middle to leave out: shown as it is.
    EXPECT_EQ(AbbreviatePath("/home/a-long-file-name-of-forty-chars.fnt", 30),
              "/home/a-long-file-name-of-forty-chars.fnt");
#ifdef _WIN32
    EXPECT_EQ(AbbreviatePath("C:\\Users\\ann\\Documents\\fonts\\vfd.fnt", 30),
              "C:\\Users\\...\\fonts\\vfd.fnt");
#endif
}
