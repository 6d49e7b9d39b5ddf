#include "UserInterface.h"

#include <gtest/gtest.h>

TEST(FilterString, SplitsPairsAndStopsAtTheEmptyName)
{
    EXPECT_EQ(ParseFilterString("Dat Files *.dat|*.dat|Bin Files *.bin|*.bin|All Files(*.*)|*.*|"),
              (std::vector<CFileFilter>{{"Dat Files *.dat", "*.dat"},
                                        {"Bin Files *.bin", "*.bin"},
                                        {"All Files(*.*)", "*.*"}}));
    EXPECT_EQ(ParseFilterString("Text (*.ini)|*.ini|All (*.*)|*.*||"),
              (std::vector<CFileFilter>{{"Text (*.ini)", "*.ini"}, {"All (*.*)", "*.*"}}));
    EXPECT_TRUE(ParseFilterString("").empty());
    // A name without its pattern is not a file type.
    EXPECT_EQ(ParseFilterString("All|*.*|Orphan"), (std::vector<CFileFilter>{{"All", "*.*"}}));
}

TEST(FilterString, NamesKeepTheirBytes)
{
    const auto filters = ParseFilterString("文本文件(*.ini)|*.ini|所有文件(*.*)|*.*||");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].m_strName, "文本文件(*.ini)");
    EXPECT_EQ(filters[1].m_strPattern, "*.*");
}

TEST(DefaultExtension, AddedOnlyToNamesWithoutOne)
{
    EXPECT_EQ(ApplyDefaultExtension("/tmp/MySetting", "ini"), "/tmp/MySetting.ini");
    EXPECT_EQ(ApplyDefaultExtension("/tmp/MySetting.cfg", "ini"), "/tmp/MySetting.cfg");
    EXPECT_EQ(ApplyDefaultExtension("/tmp.d/MySetting", "ini"), "/tmp.d/MySetting.ini");
    EXPECT_EQ(ApplyDefaultExtension("/tmp/font", ""), "/tmp/font");
}
