#include "ViewFixture.h"

TEST_F(ViewFixture, EachViewKeepsItsOwnPageSelectionAndEdit)
{
    CWindow& a = Open(512 * 32);
    CWindow& b = NewWindow();
    a.ClickCell(1, 0);
    a.ClickPixel(0, 0);
    b.Scroll(EScrollRequest::LineDown);
    b.ClickCell(2, 0);
    b.ClickPixel(1, 1);
    EXPECT_EQ(a.Map().m_nFirstCode, 0u);
    EXPECT_EQ(b.Map().m_nFirstCode, 0x100u);
    EXPECT_EQ(a.Grid().m_glyph.m_nCode, 1u);
    EXPECT_EQ(b.Grid().m_glyph.m_nCode, 0x102u);
    EXPECT_TRUE(doc.GetChanges().empty());

    // Both commit into the one list; the other view sees a commit once it rereads.
    a.ClickCell(0, 0);
    b.ClickCell(0, 0);
    ASSERT_EQ(doc.GetChanges().size(), 2u);
    EXPECT_EQ(doc.GetChanges()[1].m_nCode, 0x102u);
    EXPECT_EQ(b.Map().m_changed[0x01], 0);
    b.Scroll(EScrollRequest::LineUp);
    EXPECT_EQ(b.Map().m_changed[0x01], 1);
    EXPECT_EQ(Head(b.Map().GetCell(1, 0), 32), Head(doc.GetChanges()[0].m_bits.data(), 32));
}

TEST_F(ViewFixture, SaveWritesTheFirstViewsEditAndTheUpdateCommitsTheOthers)
{
    CWindow& a = Open(512 * 32);
    CWindow& b = NewWindow();
    a.ClickPixel(0, 0);
    b.ClickCell(5, 0);
    b.ClickPixel(0, 0);
    const CGlyph bEdit = b.Grid().m_glyph;
    ASSERT_EQ(doc.OnSaveDocument(font.string()), ESaveResult::Saved);

    const std::string saved = ReadWholeFile(font);
    EXPECT_NE(saved.substr(0, 32), bytes.substr(0, 32));           // a's glyph 0
    EXPECT_EQ(saved.substr(5 * 32, 32), bytes.substr(5 * 32, 32)); // not b's
    // b's update commits its pending edit: nothing is lost, the next save takes it.
    ASSERT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(doc.GetChanges()[0], bEdit);
    EXPECT_EQ(b.Map().m_changed[5], 1);
    EXPECT_EQ(b.Grid().m_bModified, 0);
    EXPECT_EQ(a.Map().m_changed[0], 0);
}

TEST_F(ViewFixture, TheDocumentsGeometryIsShared)
{
    CWindow& a = Open(1024 * 8);
    a.Apply(0, 0);
    CWindow& b = NewWindow();
    // A new view's start-up sets the document back to 16 x 16; the first
    // view keeps its grid and map at 8 x 8.
    EXPECT_EQ(doc.m_glyph.m_nWidth, 16u);
    EXPECT_EQ(b.Grid().m_glyph.m_nWidth, 16u);
    EXPECT_EQ(a.Grid().m_glyph.m_nWidth, 8u);
    EXPECT_EQ(a.Map().m_glyph.m_nWidth, 8u);
    b.Apply(3, 3);
    EXPECT_EQ(doc.m_glyph.Bytes(), 128u);
    a.Apply(0, 0);
    EXPECT_EQ(doc.m_glyph.Bytes(), 8u);
    EXPECT_EQ(b.Grid().m_glyph.Bytes(), 128u);
}
