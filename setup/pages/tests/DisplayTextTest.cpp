#include "DisplayText.h"

#include <gtest/gtest.h>

TEST(DisplayTextTest, EachCharacterBecomesOneByteOfTheChosenTable)
{
    EXPECT_EQ(ToDisplayText("Caf\xC3\xA9", "PC437").m_strBytes, "Caf\x82");
    EXPECT_EQ(ToDisplayText("\xC3\x98", "PC850").m_strBytes, "\x9D");     // Ø
    EXPECT_EQ(ToDisplayText("\xD0\x96", "PC866").m_strBytes, "\x86");     // Ж
    EXPECT_EQ(ToDisplayText("\xE2\x82\xAC", "PC858").m_strBytes, "\xD5"); // €
    EXPECT_EQ(ToDisplayText("\xE2\x82\xAC", "PC1252").m_strBytes, "\x80");
    EXPECT_TRUE(ToDisplayText("\xC3\xA9", "PC437").m_strMissing.empty());
}

TEST(DisplayTextTest, MissingCharactersBecomeAQuestionMarkAndAreNamedOnce)
{
    // € is not in PC437, Ж is not in PC850; each is named once however often typed.
    const CDisplayText text = ToDisplayText("\xE2\x82\xAC"
                                            "1\xE2\x82\xAC\xD0\x96",
                                            "PC437");
    EXPECT_EQ(text.m_strBytes, "?1??");
    EXPECT_EQ(text.m_strMissing, "\xE2\x82\xAC\xD0\x96");
    EXPECT_NE(MissingCharactersMessage(text.m_strMissing).find("\xE2\x82\xAC\xD0\x96"),
              std::string::npos);
    // A stray byte that is no UTF-8 is no character of any table either.
    EXPECT_EQ(ToDisplayText("A\xFF"
                            "B",
                            "PC437")
                  .m_strBytes,
              "A?B");
    // Tables iconv has no name for keep ASCII only.
    EXPECT_EQ(IconvCodeTable("User Defined"), "ASCII");
    EXPECT_EQ(ToDisplayText("a\xC3\xA9", "Slavonic").m_strBytes, "a?");
}
