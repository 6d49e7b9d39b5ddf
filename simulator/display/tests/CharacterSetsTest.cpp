#include "CharacterSets.h"

#include <gtest/gtest.h>

TEST(CharacterSets, InternationalSetsReplaceTheNationalPlacesOnly)
{
    constexpr auto M = EDisplayModel::VF620;
    EXPECT_EQ(BuiltInCharacter('A', 0, 0, M), U'A');
    EXPECT_EQ(BuiltInCharacter('[', 0, 0, M), U'[');
    EXPECT_EQ(BuiltInCharacter('[', 2, 0, M), U'Ä'); // Germany
    EXPECT_EQ(BuiltInCharacter('~', 2, 0, M), U'ß');
    EXPECT_EQ(BuiltInCharacter('A', 2, 0, M), U'A');
    EXPECT_EQ(BuiltInCharacter('#', 3, 0, M), U'£');   // U.K
    EXPECT_EQ(BuiltInCharacter('\\', 8, 0, M), U'¥');  // Japan
    EXPECT_EQ(BuiltInCharacter('@', 11, 0, M), U'Ž');  // Slavonic
    EXPECT_EQ(BuiltInCharacter(0x60, 12, 0, M), U'א'); // Hebrew letters from 0x60
    EXPECT_EQ(BuiltInCharacter(0x7A, 12, 0, M), U'ת');
    EXPECT_EQ(BuiltInCharacter(0x7F, 0, 0, M), U'⌂');
    EXPECT_EQ(BuiltInCharacter(0x1B, 0, 0, M), 0u);
    EXPECT_STREQ(CharacterSetName(0), "USA");
    EXPECT_STREQ(CharacterSetName(0x0E), "Reserved");
    EXPECT_EQ(CharacterSetName(0x10), nullptr);
}

TEST(CharacterSets, CodeTablesAreNumberedByTheModel)
{
    EXPECT_EQ(BuiltInCharacter(0x80, 0, 0, EDisplayModel::VF620), U'Ç'); // PC437
    EXPECT_EQ(BuiltInCharacter(0xB3, 0, 0, EDisplayModel::VF620), U'│');
    EXPECT_EQ(BuiltInCharacter(0x80, 0, 2, EDisplayModel::VF620), U'А'); // PC866
    // Table 3 is PC737 on one model and PC1254 on the other.
    EXPECT_STREQ(CodeTableName(EDisplayModel::VF620, 3), "PC737");
    EXPECT_EQ(BuiltInCharacter(0x80, 0, 3, EDisplayModel::VF620), U'Α');
    EXPECT_STREQ(CodeTableName(EDisplayModel::VF730, 3), "PC1254");
    EXPECT_EQ(BuiltInCharacter(0xD0, 0, 3, EDisplayModel::VF730), U'Ğ');
    // 0x0E is PC865 and 0x0D Slavonic, in that unusual order.
    EXPECT_STREQ(CodeTableName(EDisplayModel::VF730, 0x0E), "PC865");
    EXPECT_STREQ(CodeTableName(EDisplayModel::VF730, 0x0D), "Slavonic");
    EXPECT_EQ(CodeTableName(EDisplayModel::VF620, 0x0D), nullptr);
    // An empty place of a code page shows nothing.
    EXPECT_EQ(BuiltInCharacter(0x81, 0, 9, EDisplayModel::VF730), 0u); // PC1252
    EXPECT_EQ(BuiltInCharacter(0x80, 0, 9, EDisplayModel::VF730), U'€');
    // The downloaded table falls back on the first.
    EXPECT_EQ(BuiltInCharacter(0x80, 0, 0x0F, EDisplayModel::VF620), U'Ç');
    EXPECT_TRUE(TableUsesDownloadedGlyphs(0x0F));
    EXPECT_TRUE(SetUsesDownloadedGlyphs(0x0D));
    EXPECT_TRUE(SetUsesDownloadedGlyphs(0x0F));
    EXPECT_FALSE(SetUsesDownloadedGlyphs(0x0E));
}

TEST(CharacterSets, Utf8EncodesEveryLength)
{
    EXPECT_EQ(Utf8(U'A'), "A");
    EXPECT_EQ(Utf8(U'ß'), "\xC3\x9F");
    EXPECT_EQ(Utf8(U'€'), "\xE2\x82\xAC");
    EXPECT_EQ(Utf8(U'\U0001F600'), "\xF0\x9F\x98\x80");
}
