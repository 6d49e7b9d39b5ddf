#include "ViewFixture.h"

#include <algorithm>

TEST_F(ViewFixture, SelectingAnotherGlyphCommitsTheEditedOne)
{
    CWindow& w = Open(8192);
    w.ClickCell(4, 0);
    const int before = w.Grid().m_glyph.GetPixel(3, 2);
    w.ClickPixel(3, 2);
    EXPECT_EQ(w.Text()[2 * 19 + 3], before ? '0' : '1'); // the text follows the click
    const CGlyph edited = w.Grid().m_glyph;
    w.ClickCell(6, 1);

    ASSERT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(doc.GetChanges()[0], edited);
    EXPECT_EQ(w.Map().m_changed[4], 1);
    EXPECT_EQ(Head(w.Map().GetCell(4, 0), 32), Head(edited.m_bits.data(), 32));
    // The new glyph is loaded clean, and the text box shows it.
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 0x16u);
    EXPECT_EQ(w.Grid().m_bModified, 0);
    std::string text;
    w.Grid().m_glyph.ToText(text);
    EXPECT_EQ(w.Text(), text);
    w.ClickCell(7, 1); // an unedited glyph is not committed
    EXPECT_EQ(doc.GetChanges().size(), 1u);
}

TEST_F(ViewFixture, TypingChangesTheGridAtEveryKeystroke)
{
    CWindow& w = Open(8192);
    std::string text = w.Text();
    const int nRepaints = w.gridHost.m_nInvalidations;
    for (int i = 0; i < 2; ++i)
    {
        text[i] = text[i] == '1' ? '0' : '1';
        w.Type(text);
        EXPECT_EQ(w.Grid().m_glyph.GetPixel(i, 0), text[i] == '1');
        EXPECT_EQ(w.Grid().m_bModified, 1);
    }
    EXPECT_EQ(w.gridHost.m_nInvalidations, nRepaints + 2);

    // While "Other" holds a rejected value, each keystroke warns and the glyph stays.
    w.controls.SetText(kIdOtherHeight, "99");
    const CGlyph typed = w.Grid().m_glyph;
    w.Type(std::string(text.size(), '1'));
    w.Type(text);
    EXPECT_EQ(ui.Texts().size(), 2u);
    EXPECT_EQ(w.Grid().m_glyph.m_bits, typed.m_bits);
}

TEST_F(ViewFixture, UndoWithTheGridFocusedDropsTheEditButNoCommit)
{
    CWindow& w = Open(8192);
    w.ClickPixel(0, 0);
    w.ClickCell(2, 3); // commits glyph 0
    const CGlyph loaded = w.Grid().m_glyph;
    w.ClickPixel(5, 5);
    w.ClickPixel(6, 6);
    EXPECT_EQ(w.view.OnEditUndo(kIdGlyphGrid), EUndoBy::View);
    EXPECT_EQ(w.Grid().m_glyph, loaded);
    EXPECT_EQ(w.Grid().m_bModified, 0);
    std::string text;
    loaded.ToText(text);
    EXPECT_EQ(w.Text(), text);
    w.ClickCell(0, 0);
    EXPECT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(w.Map().m_changed[0], 1);
}

TEST_F(ViewFixture, UndoInTheTextBoxIsTheBoxsOwnAndTheGlyphFollows)
{
    CWindow& w = Open(8192);
    const CGlyph loaded = w.Grid().m_glyph;
    const std::string original = w.Text();
    std::string lit = original;
    std::replace(lit.begin(), lit.end(), '0', '1');
    w.Type(lit);
    EXPECT_EQ(w.Grid().m_glyph.GetPixel(15, 15), 1);

    // Neither the box nor the grid focused: nothing happens.
    EXPECT_EQ(w.view.OnEditUndo(kIdCharMap), EUndoBy::View);
    EXPECT_EQ(w.Text(), lit);
    EXPECT_EQ(w.Grid().m_glyph.GetPixel(15, 15), 1);
    // The box's own undo puts its text back, which the glyph follows.
    EXPECT_EQ(w.view.OnEditUndo(kIdGlyphText), EUndoBy::TextBox);
    EXPECT_EQ(w.Text(), lit);
    w.Type(original);
    EXPECT_EQ(w.Grid().m_glyph.m_bits, loaded.m_bits);
    EXPECT_EQ(w.Grid().m_bModified, 1); // the restored text is an edit too
}

TEST_F(ViewFixture, AnEditSurvivesAPageStepMarkedAndDrawnFromTheList)
{
    CWindow& w = Open(512 * 32);
    w.ClickCell(1, 1);
    w.ClickPixel(2, 2);
    const CGlyph edited = w.Grid().m_glyph;
    w.Scroll(EScrollRequest::LineDown);
    ASSERT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(w.Map().m_changed[0x11], 0); // page 1: code 0x111 is not edited
    w.Scroll(EScrollRequest::LineUp);
    EXPECT_EQ(w.Map().m_changed[0x11], 1);
    EXPECT_EQ(Head(w.Map().GetCell(1, 1), 32), Head(edited.m_bits.data(), 32));
    EXPECT_EQ(w.Grid().m_glyph.m_bits, edited.m_bits);
}

TEST_F(ViewFixture, ApplyCommitsThePendingEditInItsOwnGeometry)
{
    CWindow& w = Open(8192);
    w.ClickCell(1, 0);
    w.ClickPixel(15, 15);
    const CGlyph edited = w.Grid().m_glyph;
    w.Apply(0, 0);
    ASSERT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(doc.GetChanges()[0], edited); // 16 x 16, code 1
    EXPECT_EQ(Head(w.Grid().m_glyph.m_bits.data(), 8), FileGlyph(1, 8));

    // Saved, the edit lands on glyph 1 of the 16 x 16 layout and nowhere else.
    ASSERT_EQ(doc.OnSaveDocument(font.string()), ESaveResult::Saved);
    std::string expected = bytes;
    std::copy_n(edited.m_bits.begin(), 32, expected.begin() + 32);
    EXPECT_EQ(ReadWholeFile(font), expected);
}

TEST_F(ViewFixture, SaveCommitsThePendingEditAndReloadsTheSelectedGlyph)
{
    CWindow& w = Open(8192);
    w.ClickCell(9, 2);
    w.ClickPixel(0, 0);
    const CGlyph edited = w.Grid().m_glyph;
    ASSERT_EQ(doc.OnSaveDocument(font.string()), ESaveResult::Saved);
    EXPECT_EQ(ReadWholeFile(font).substr(0x29 * 32, 32),
              std::string(reinterpret_cast<const char*>(edited.m_bits.data()), 32));
    EXPECT_TRUE(doc.GetChanges().empty());
    EXPECT_EQ(w.Grid().m_glyph, edited);
    EXPECT_EQ(w.Grid().m_bModified, 0);
    EXPECT_EQ(w.Map().m_changed[0x29], 0); // saved: no longer a change

    // A save that fails sends no update: the grid stays on the selected
    // glyph, and a further edit is an edit of that glyph.
    w.ClickPixel(1, 1);
    const CGlyph again = w.Grid().m_glyph;
    EXPECT_EQ(doc.OnSaveDocument((dir / "missing" / "x.bin").string()), ESaveResult::Failed);
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 0x29u);
    EXPECT_EQ(w.Grid().m_glyph.m_bits, again.m_bits);
    w.ClickPixel(2, 2);
    w.ClickCell(0, 0);
    EXPECT_EQ(doc.GetChanges().back().m_nCode, 0x29u);
    EXPECT_EQ(doc.GetChanges().back().GetPixel(1, 1), again.GetPixel(1, 1));
}

TEST_F(ViewFixture, AGlyphMenuCommandIsAnEditThatOneUndoTakesBack)
{
    CWindow& w = Open(8192);
    w.ClickPixel(1, 1);
    const CGlyph clicked = w.Grid().m_glyph;
    ASSERT_TRUE(w.view.OnGlyphCommand(kCmdGlyphInvert));
    EXPECT_EQ(w.Grid().m_glyph.GetPixel(1, 1), !clicked.GetPixel(1, 1));
    EXPECT_EQ(w.Grid().m_glyph.GetPixel(9, 9), !clicked.GetPixel(9, 9));
    std::string text;
    w.Grid().m_glyph.ToText(text);
    EXPECT_EQ(w.Text(), text);
    EXPECT_EQ(w.Grid().m_bModified, 1);

    // Undo takes back the command alone, wherever the focus is: the click stays.
    EXPECT_EQ(w.view.OnEditUndo(kIdGlyphText), EUndoBy::View);
    EXPECT_EQ(w.Grid().m_glyph, clicked);
    EXPECT_EQ(w.Grid().m_bModified, 1);

    // Kept as an edit: committed and marked when another glyph is chosen.
    ASSERT_TRUE(w.view.OnGlyphCommand(kCmdGlyphShiftRight));
    const CGlyph shifted = w.Grid().m_glyph;
    EXPECT_EQ(shifted.GetPixel(2, 1), clicked.GetPixel(1, 1));
    w.ClickCell(3, 0);
    ASSERT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(doc.GetChanges()[0], shifted);
    EXPECT_EQ(w.Map().m_changed[0], 1);
    // Another glyph has no command to take back: Undo is the product's own.
    EXPECT_EQ(w.view.OnEditUndo(kIdGlyphText), EUndoBy::TextBox);
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 3u);
    EXPECT_FALSE(w.view.OnGlyphCommand(kCmdEditUndo));
}
