#include "TextBoxUndo.h"

#include <gtest/gtest.h>

namespace
{
// Types strChars one at a time at nCaret into undo's text.
void TypeAt(CTextBoxUndo& undo, std::size_t nCaret, const std::string& strChars)
{
    for (const char c : strChars)
    {
        std::string strText = undo.Text();
        strText.insert(nCaret, 1, c);
        undo.Typed(strText, ++nCaret);
    }
}

void Backspace(CTextBoxUndo& undo, std::size_t nCaret)
{
    std::string strText = undo.Text();
    strText.erase(nCaret - 1, 1);
    undo.Typed(strText, nCaret - 1);
}
} // namespace

TEST(TextBoxUndo, TextTheProgramSetsLeavesNothingToUndo)
{
    CTextBoxUndo undo;
    undo.Reset("0000\r\n");
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.Undo(), std::nullopt);

    TypeAt(undo, 0, "1");
    EXPECT_TRUE(undo.CanUndo());
    // Showing another glyph empties the undo again.
    undo.Reset("1111\r\n");
    EXPECT_EQ(undo.Undo(), std::nullopt);
    EXPECT_EQ(undo.Text(), "1111\r\n");
}

TEST(TextBoxUndo, ARunOfTypingIsOneStepAndASecondUndoRedoes)
{
    CTextBoxUndo undo;
    undo.Reset("0000");
    TypeAt(undo, 1, "11");
    Backspace(undo, 3); // still the same run: the caret never moved away
    TypeAt(undo, 2, "0");
    EXPECT_EQ(undo.Text(), "010000");

    EXPECT_EQ(undo.Undo(), "0000");
    EXPECT_EQ(undo.Undo(), "010000");
    EXPECT_EQ(undo.Undo(), "0000");
}

TEST(TextBoxUndo, TypingElsewhereStartsANewStep)
{
    CTextBoxUndo undo;
    undo.Reset("abcd");
    TypeAt(undo, 4, "e");
    TypeAt(undo, 0, "x"); // the caret moved to the start
    EXPECT_EQ(undo.Undo(), "abcde");

    // The same character as its neighbour: the caret tells where it went.
    undo.Reset("a1");
    TypeAt(undo, 2, "z");
    TypeAt(undo, 1, "1"); // "a11z" with the new 1 at position 1
    EXPECT_EQ(undo.Text(), "a11z");
    EXPECT_EQ(undo.Undo(), "a1z");
}

TEST(TextBoxUndo, CutAndPasteAreStepsOfTheirOwn)
{
    CTextBoxUndo undo;
    undo.Reset("0000");
    TypeAt(undo, 4, "1");
    undo.Replaced("01"); // a paste over the first three characters
    EXPECT_EQ(undo.Undo(), "00001");

    // Typing after a paste does not join it.
    undo.Reset("ab");
    undo.Replaced("abXY");
    TypeAt(undo, 4, "z");
    EXPECT_EQ(undo.Undo(), "abXY");
}

TEST(TextBoxUndo, ChangesThatAreNoTypingStartTheirOwnStep)
{
    CTextBoxUndo undo;
    undo.Reset("abcdef");
    TypeAt(undo, 6, "g");
    // A selection replaced by one character: neither an insertion nor a deletion.
    undo.Typed("aXg", 2);
    EXPECT_EQ(undo.Undo(), "abcdefg");

    // A report of the text as it already is changes nothing.
    undo.Reset("ab");
    TypeAt(undo, 2, "c");
    undo.Typed("abc", 3);
    EXPECT_EQ(undo.Undo(), "ab");
}
