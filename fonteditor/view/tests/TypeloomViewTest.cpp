#include "CArrayExport.h"
#include "ViewFixture.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

TEST_F(ViewFixture, InitialUpdateShowsPageZeroAtSixteenBySixteen)
{
    CWindow& w = Open(512 * 32);
    EXPECT_EQ(w.site.m_controls.m_inner.GetRadioIndex(kIdWidthGroup), 1);
    EXPECT_EQ(w.site.m_controls.m_inner.GetRadioIndex(kIdHeightGroup), 1);
    EXPECT_EQ(w.site.m_controls.m_inner.GetText(kIdOtherHeight), "1");
    EXPECT_EQ(w.site.m_scrollBar.m_info, (CScrollInfo{0, 1, 1, 0}));
    EXPECT_EQ(w.site.m_nResizes, 1);
    EXPECT_EQ(doc.m_glyph.m_nWidth, 16u);
    EXPECT_EQ(w.Map().m_glyph.m_nHeight, 16u);
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 0u);
    EXPECT_EQ(Head(w.Grid().m_glyph.m_bits.data(), 32), FileGlyph(0, 32));
    EXPECT_EQ(w.Grid().m_bModified, 0);

    std::string text;
    w.Grid().m_glyph.ToText(text);
    EXPECT_EQ(w.Text(), text);
    EXPECT_EQ(text.size(), 16u * 19);
}

TEST_F(ViewFixture, DataExchangeBindsOnceThenGoesInOrder)
{
    CWindow& w = Open(64);
    auto& log = w.site.m_controls.m_log;
    ASSERT_GE(log.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 5),
                ElementsAre("bind", "set 1002", "set 1010", "set 1007", "set 1006"));
    log.clear();
    w.Apply(1, 1);
    EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 4),
                ElementsAre("get 1002", "get 1010", "get 1007", "get 1006"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "bind"), 0);
}

TEST_F(ViewFixture, FontsWithoutGlyphsHaveOnePage)
{
    CWindow& w = Open(31); // shorter than one 16 x 16 glyph
    EXPECT_EQ(w.site.m_scrollBar.m_info, (CScrollInfo{0, 0, 1, 0}));
    w.Scroll(EScrollRequest::LineDown);
    EXPECT_EQ(w.Map().m_nFirstCode, 0u);

    CFakeDocumentSite newSite;
    CTypeloomDoc newDoc(newSite);
    CWindow fresh(newDoc, newSite.m_ui);
    fresh.view.OnInitialUpdate();
    EXPECT_EQ(fresh.site.m_scrollBar.m_info, (CScrollInfo{0, 0, 1, 0}));
    fresh.Apply(0, 0);
    EXPECT_EQ(fresh.site.m_scrollBar.m_info, (CScrollInfo{0, 0, 1, 0}));
}

TEST_F(ViewFixture, ApplyTakesTheGeometryFromTheRadioButtons)
{
    CWindow& w = Open(8192);
    w.ClickCell(3, 1);
    w.Scroll(EScrollRequest::LineDown); // stays: one page of 16 x 16
    w.Apply(0, 0);                      // 8 x 8: 1,024 glyphs, four pages
    EXPECT_EQ(doc.m_glyph.m_nWidth, 8u);
    EXPECT_EQ(doc.m_glyph.m_nHeight, 8u);
    EXPECT_EQ(w.Grid().m_glyph.m_nWidth, 8u);
    EXPECT_EQ(w.Map().m_glyph.m_nHeight, 8u);
    EXPECT_EQ(w.site.m_scrollBar.m_info, (CScrollInfo{0, 3, 1, 0}));
    // Page 0, the same cell selected, its glyph loaded with 8 bytes.
    EXPECT_EQ(w.Map().m_nFirstCode, 0u);
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 0x13u);
    EXPECT_EQ(Head(w.Grid().m_glyph.m_bits.data(), 8), FileGlyph(0x13, 8));
    EXPECT_EQ(Head(w.Map().GetCell(15, 15), 8), FileGlyph(0xFF, 8));

    w.Apply(3, 3);
    EXPECT_EQ(doc.m_glyph.Bytes(), 128u);
    EXPECT_EQ(w.site.m_scrollBar.m_info, (CScrollInfo{0, 0, 1, 0}));
}

TEST_F(ViewFixture, ApplyWithOtherTwelveMakesTwoBandGlyphs)
{
    CWindow& w = Open(8192);
    w.Apply(1, 4, "12");
    EXPECT_EQ(doc.m_glyph.m_nHeight, 12u);
    EXPECT_EQ(doc.m_glyph.Bytes(), 32u);
    EXPECT_EQ(w.Grid().m_glyph.m_nHeight, 12u);
    EXPECT_EQ(w.Text().size(), 12u * 19); // twelve rows of text
    EXPECT_TRUE(docSite.m_ui.m_messages.empty());
}

TEST_F(ViewFixture, ApplyWithARadioHeightShowsTheOtherFieldsMessageFirst)
{
    CWindow& w = Open(8192);
    w.Apply(0, 1, "40");
    EXPECT_EQ(docSite.m_ui.Texts(),
              std::vector<std::string>{"Please enter an integer between 1 and 32."});
    EXPECT_EQ(doc.m_glyph.m_nWidth, 8u);
    EXPECT_EQ(doc.m_glyph.m_nHeight, 16u);
    EXPECT_EQ(w.site.m_controls.m_inner.m_focusAndSelect, std::vector<int>{kIdOtherHeight});
}

TEST_F(ViewFixture, ARejectedOtherHeightNeverBecomesAHeight)
{
    CWindow& w = Open(8192);
    w.Apply(1, 2); // 16 x 24
    for (const char* other : {"40", "0", "-3", "twelve", ""})
    {
        w.Apply(0, 4, other); // the width still follows its radio button
        EXPECT_EQ(doc.m_glyph.m_nWidth, 8u) << other;
        EXPECT_EQ(doc.m_glyph.m_nHeight, 24u) << other;
        EXPECT_EQ(w.Grid().m_glyph.m_nHeight, 24u) << other;
        EXPECT_EQ(w.Map().m_glyph.m_nHeight, 24u) << other;
        w.Apply(1, 2);
    }
    EXPECT_EQ(docSite.m_ui.Texts(),
              (std::vector<std::string>{"Please enter an integer between 1 and 32.",
                                        "Please enter an integer between 1 and 32.",
                                        "Please enter an integer between 1 and 32.",
                                        "Please enter an integer.", "Please enter an integer."}));
}

TEST_F(ViewFixture, LineAndPageStepsMoveOnePage)
{
    CWindow& w = Open(512 * 32);
    w.ClickCell(5, 2);
    w.Scroll(EScrollRequest::LineDown);
    EXPECT_EQ(w.site.m_scrollBar.m_info.m_nPos, 1);
    EXPECT_EQ(w.Map().m_nFirstCode, 0x100u);
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 0x125u);
    EXPECT_EQ(Head(w.Grid().m_glyph.m_bits.data(), 32), FileGlyph(0x125, 32));
    EXPECT_EQ(Head(w.Map().GetCell(0, 0), 32), FileGlyph(0x100, 32));

    w.Scroll(EScrollRequest::PageDown); // already at the end
    EXPECT_EQ(w.Map().m_nFirstCode, 0x100u);
    w.Scroll(EScrollRequest::PageUp);
    EXPECT_EQ(w.Map().m_nFirstCode, 0u);
    w.Scroll(EScrollRequest::LineUp);
    EXPECT_EQ(w.Map().m_nFirstCode, 0u);
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 0x25u);
}

TEST_F(ViewFixture, ThumbTrackingReadsEveryPageItPasses)
{
    CWindow& w = Open(1024 * 8);
    w.Apply(0, 0); // four pages of 8 x 8
    EXPECT_TRUE(w.view.OnVScroll(EScrollRequest::ThumbTrack, 2, kIdPageScrollBar));
    EXPECT_EQ(w.Map().m_nFirstCode, 0x200u);
    EXPECT_EQ(Head(w.Map().GetCell(1, 0), 8), FileGlyph(0x201, 8));
    w.view.OnVScroll(EScrollRequest::ThumbTrack, 3, kIdPageScrollBar);
    EXPECT_EQ(w.site.m_scrollBar.m_info.m_nPos, 3);
    // A position the bar cannot have is kept to its range.
    w.view.OnVScroll(EScrollRequest::ThumbTrack, 70000, kIdPageScrollBar);
    EXPECT_EQ(w.Map().m_nFirstCode, 0x300u);
    w.view.OnVScroll(EScrollRequest::ThumbTrack, -1, kIdPageScrollBar);
    EXPECT_EQ(w.Map().m_nFirstCode, 0u);
}

TEST_F(ViewFixture, ReleaseAndEndOfScrollingDoNothing)
{
    CWindow& w = Open(512 * 32);
    w.Scroll(EScrollRequest::LineDown);
    w.ClickPixel(0, 0);
    const int nRedraws = w.site.m_scrollBar.m_nRedraws;
    for (auto request : {EScrollRequest::ThumbPosition, EScrollRequest::EndScroll})
        EXPECT_FALSE(w.view.OnVScroll(request, 0, kIdPageScrollBar));
    EXPECT_EQ(w.site.m_scrollBar.m_nRedraws, nRedraws);
    EXPECT_EQ(w.Grid().m_bModified, 1); // nothing committed
    EXPECT_TRUE(doc.GetChanges().empty());

    // Another bar's scrolling goes to the framework untouched.
    EXPECT_TRUE(w.view.OnVScroll(EScrollRequest::LineUp, 0, 4242));
    EXPECT_EQ(w.Map().m_nFirstCode, 0x100u);
    EXPECT_TRUE(doc.GetChanges().empty());
}

TEST_F(ViewFixture, OnOnePageEveryRequestRereadsAndReloads)
{
    CWindow& w = Open(256 * 32);
    w.ClickCell(2, 0);
    EXPECT_EQ(w.site.m_scrollBar.m_info, (CScrollInfo{0, 0, 1, 0}));
    for (auto request : {EScrollRequest::LineUp, EScrollRequest::LineDown, EScrollRequest::PageUp,
                         EScrollRequest::PageDown, EScrollRequest::ThumbTrack, EScrollRequest::Top,
                         EScrollRequest::Bottom})
    {
        // The file changes behind the view's back; the reread shows it.
        std::string changed = bytes;
        changed[2 * 32] = static_cast<char>(static_cast<int>(request) + 100);
        std::ofstream(font, std::ios::binary) << changed;
        w.ClickPixel(1, 1);
        const std::size_t nChanges = doc.GetChanges().size();

        EXPECT_TRUE(w.view.OnVScroll(request, 0, kIdPageScrollBar));
        EXPECT_EQ(w.site.m_scrollBar.m_info.m_nPos, 0);
        EXPECT_EQ(doc.GetChanges().size(), nChanges + 1); // the edit was committed
        EXPECT_EQ(w.Grid().m_glyph.m_nCode, 2u);
        EXPECT_EQ(w.Grid().m_bModified, 0);
        // The committed glyph lies on the page: its cell shows the commit.
        EXPECT_EQ(w.Map().m_changed[2], 1);
        EXPECT_EQ(w.Grid().m_glyph.m_bits, doc.GetChanges().back().m_bits);
    }
}

TEST_F(ViewFixture, ClipboardCommandsGoToTheTextBoxWhateverHasTheFocus)
{
    CWindow& w = Open(8192);
    w.site.m_nFocusId = kIdCharMap;
    w.site.m_textBox.m_nSelStart = 0;
    w.site.m_textBox.m_nSelEnd = 19; // the first row with its CR LF
    w.view.OnEditCopy();
    EXPECT_EQ(w.site.m_textBox.m_strClipboard, w.Text().substr(0, 19));
    EXPECT_EQ(w.Grid().m_bModified, 0);

    // A paste edits the glyph: the first row now also stands for the second.
    w.site.m_textBox.m_nSelStart = w.site.m_textBox.m_nSelEnd = 19;
    w.site.m_nFocusId = kIdGlyphGrid;
    w.view.OnEditPaste();
    EXPECT_EQ(w.Grid().m_bModified, 1);
    for (unsigned x = 0; x < 16; ++x)
        EXPECT_EQ(w.Grid().m_glyph.GetPixel(x, 1), w.Grid().m_glyph.GetPixel(x, 0)) << x;

    w.site.m_nFocusId = 0;
    w.view.OnEditCut();
    EXPECT_THAT(w.site.m_textBox.m_calls, ElementsAre("copy", "paste", "cut"));
}

TEST_F(ViewFixture, DownloadGetsThePathAndTheAppliedGeometry)
{
    CWindow& w = Open(8192);
    w.site.m_controls.m_inner.SetRadioIndex(kIdWidthGroup, 3); // chosen, not applied
    w.view.OnFileDownload();
    w.Apply(0, 1);
    w.view.OnFileDownload();
    EXPECT_EQ(w.site.m_launcher.m_runs, (std::vector<CRecordingDownloadLauncher::CRun>{
                                            {font.string(), 16, 16}, {font.string(), 8, 16}}));

    CFakeDocumentSite newSite;
    CTypeloomDoc newDoc(newSite);
    CWindow fresh(newDoc, newSite.m_ui);
    fresh.view.OnInitialUpdate();
    fresh.view.OnFileDownload();
    EXPECT_EQ(fresh.site.m_launcher.m_runs[0].m_strPath, "");
}

TEST_F(ViewFixture, ExportNeedsASavedFileAndWritesTheSavedGlyphs)
{
    CFakeDocumentSite newSite;
    CTypeloomDoc newDoc(newSite);
    CWindow fresh(newDoc, newSite.m_ui);
    fresh.view.OnInitialUpdate();
    fresh.view.OnFileExport();
    EXPECT_EQ(newSite.m_ui.m_messages,
              (std::vector<CMessageBoxRequest>{
                  {kMsgSaveFirst, std::nullopt, EMessageIcon::Warning, EMessageButtons::Ok}}));
    EXPECT_TRUE(newSite.m_ui.m_fileDialogs.empty());

    CWindow& w = Open(4 * 16);
    w.Apply(0, 1);      // 8 x 16: records are whole glyphs
    w.ClickPixel(0, 0); // pending, not saved: not exported
    docSite.m_ui.m_fileAnswers.push_back((dir / "font.c").string());
    w.view.OnFileExport();
    const std::string text = Slurp(dir / "font.c");
    ASSERT_EQ(text.size(), 4u * kCArrayRecordBytes);
    EXPECT_EQ(text.substr(0, 8), "   0x00,");
    EXPECT_TRUE(docSite.m_ui.m_messages.empty());
}
