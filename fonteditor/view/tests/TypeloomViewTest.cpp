#include "CArrayExport.h"
#include "ViewFixture.h"

using Strings = std::vector<std::string>;

TEST_F(ViewFixture, InitialUpdateShowsPageZeroAtSixteenBySixteen)
{
    CWindow& w = Open(512 * 32);
    EXPECT_EQ(w.controls.GetValue(kIdWidthGroup), 1);
    EXPECT_EQ(w.controls.GetValue(kIdHeightGroup), 1);
    EXPECT_EQ(w.controls.GetText(kIdOtherHeight), "1");
    EXPECT_EQ(w.PageBar(), (CScrollInfo{0, 1, 1, 0}));
    EXPECT_EQ(doc.m_glyph.m_nWidth, 16u);
    EXPECT_EQ(w.Map().m_glyph.m_nHeight, 16u);
    EXPECT_EQ(Head(w.Grid().m_glyph.m_bits.data(), 32), FileGlyph(0, 32));
    std::string text;
    w.Grid().m_glyph.ToText(text);
    EXPECT_EQ(w.Text(), text);
}

TEST_F(ViewFixture, FontsWithoutGlyphsHaveOnePage)
{
    CWindow& w = Open(31); // shorter than one 16 x 16 glyph
    EXPECT_EQ(w.PageBar(), (CScrollInfo{0, 0, 1, 0}));
    CRecordingUserInterface newUi;
    CTypeloomDoc newDoc(newUi);
    CWindow fresh(newDoc, newUi);
    fresh.view.OnInitialUpdate();
    fresh.Apply(0, 0);
    EXPECT_EQ(fresh.PageBar(), (CScrollInfo{0, 0, 1, 0}));
}

TEST_F(ViewFixture, ApplySetsTheGeometryEverywhereAndGoesToPageZero)
{
    CWindow& w = Open(8192);
    w.ClickCell(3, 1);
    w.Apply(0, 0); // 8 x 8: 1,024 glyphs, four pages
    EXPECT_EQ(doc.m_glyph.Bytes(), 8u);
    EXPECT_EQ(w.Grid().m_glyph.Bytes(), 8u);
    EXPECT_EQ(w.Map().m_glyph.Bytes(), 8u);
    EXPECT_EQ(w.PageBar(), (CScrollInfo{0, 3, 1, 0}));
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 0x13u); // the same cell, loaded with 8 bytes
    EXPECT_EQ(Head(w.Grid().m_glyph.m_bits.data(), 8), FileGlyph(0x13, 8));
    EXPECT_EQ(Head(w.Map().GetCell(15, 15), 8), FileGlyph(0xFF, 8));

    w.Apply(1, 4, "12"); // "Other": two bands of 16
    EXPECT_EQ(doc.m_glyph.m_nHeight, 12u);
    EXPECT_EQ(doc.m_glyph.Bytes(), 32u);
    EXPECT_EQ(w.Text().size(), 12u * 19);
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(ViewFixture, ARejectedOtherHeightNeverBecomesAHeight)
{
    CWindow& w = Open(8192);
    // With a radio height chosen, the field is still checked, then the radio applies.
    w.Apply(0, 1, "40");
    EXPECT_EQ(ui.Texts(), Strings{"Please enter an integer between 1 and 32."});
    EXPECT_EQ(w.controls.m_focusAndSelect, std::vector<int>{kIdOtherHeight});
    EXPECT_EQ(doc.m_glyph.Bytes(), 16u); // 8 x 16

    // With "Other" chosen, the width follows its radio and the height in force stays.
    w.Apply(1, 2); // 16 x 24
    for (const char* other : {"40", "0", "twelve", ""})
    {
        w.Apply(0, 4, other);
        EXPECT_EQ(doc.m_glyph.m_nWidth, 8u) << other;
        EXPECT_EQ(doc.m_glyph.m_nHeight, 24u) << other;
        EXPECT_EQ(w.Grid().m_glyph.m_nHeight, 24u) << other;
        EXPECT_EQ(w.Map().m_glyph.m_nHeight, 24u) << other;
    }
    EXPECT_EQ(ui.Texts().back(), "Please enter an integer.");
    EXPECT_EQ(ui.Texts().size(), 5u);
}

TEST_F(ViewFixture, ScrollRequestsStepOnePageWithinTheRange)
{
    CWindow& w = Open(1024 * 8);
    w.Apply(0, 0); // four pages of 8 x 8
    w.ClickCell(5, 2);
    const std::pair<EScrollRequest, std::uint32_t> steps[] = {
        {EScrollRequest::LineDown, 0x100}, {EScrollRequest::PageDown, 0x200},
        {EScrollRequest::LineUp, 0x100},   {EScrollRequest::PageUp, 0},
        {EScrollRequest::LineUp, 0},       {EScrollRequest::Bottom, 0},
    };
    for (const auto& [request, nFirst] : steps)
    {
        EXPECT_TRUE(w.Scroll(request));
        EXPECT_EQ(w.Map().m_nFirstCode, nFirst);
        EXPECT_EQ(w.PageBar().m_nPos, static_cast<int>(nFirst / 256));
        EXPECT_EQ(w.Grid().m_glyph.m_nCode, nFirst + 0x25);
        EXPECT_EQ(Head(w.Grid().m_glyph.m_bits.data(), 8), FileGlyph(nFirst + 0x25, 8));
    }
    // The thumb's position, kept to the range.
    for (const auto& [nThumb, nFirst] : {std::pair{2, 0x200u}, {70000, 0x300u}, {-1, 0u}})
    {
        w.Scroll(EScrollRequest::ThumbTrack, nThumb);
        EXPECT_EQ(w.Map().m_nFirstCode, nFirst) << nThumb;
        EXPECT_EQ(Head(w.Map().GetCell(1, 0), 8), FileGlyph(nFirst + 1, 8)) << nThumb;
    }
}

TEST_F(ViewFixture, PageKeysAndGoToCodeWalkTheFontKeepingEdits)
{
    CWindow& w = Open(1000 * 8);
    w.Apply(0, 0); // 1,000 glyphs of 8 x 8: pages 0 to 3
    w.ClickCell(5, 2);
    w.ClickPixel(0, 0);
    const std::pair<int, std::uint32_t> keys[] = {
        {kCmdPageLast, 0x300}, {kCmdPageNext, 0x300}, {kCmdPagePrevious, 0x200},
        {kCmdPageFirst, 0},    {kCmdPagePrevious, 0},
    };
    for (const auto& [nCommand, nFirst] : keys)
    {
        EXPECT_TRUE(w.view.OnPageCommand(nCommand));
        EXPECT_EQ(w.Map().m_nFirstCode, nFirst) << nCommand;
        EXPECT_EQ(w.PageBar().m_nPos, static_cast<int>(nFirst / 256));
        EXPECT_EQ(w.Grid().m_glyph.m_nCode, nFirst + 0x25);
    }
    EXPECT_FALSE(w.view.OnPageCommand(kCmdGlyphInvert));
    // The edit made before the first key was committed, not lost.
    ASSERT_EQ(doc.GetChanges().size(), 1u);
    EXPECT_EQ(doc.GetChanges()[0].m_nCode, 0x25u);

    // Every way of typing a code reaches its page and selects its glyph.
    for (const auto& [text, nCode] : {std::pair{"0x3E7", 999u}, {" 2ACh ", 0x2ACu}, {"300", 300u}})
    {
        EXPECT_TRUE(w.view.GoToCode(text)) << text;
        EXPECT_EQ(w.Map().m_nFirstCode, nCode / 256 * 256) << text;
        EXPECT_EQ(w.Grid().m_glyph.m_nCode, nCode) << text;
        EXPECT_EQ(Head(w.Grid().m_glyph.m_bits.data(), 8), FileGlyph(nCode, 8)) << text;
    }
    // Codes past the font and text that is no code change nothing.
    for (const char* text : {"1000", "0x3E8", "-1", "4E", "", "0x41h"})
        EXPECT_FALSE(w.view.GoToCode(text)) << text;
    EXPECT_EQ(w.Grid().m_glyph.m_nCode, 300u);
    const Strings texts = ui.Texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], "Code 0x3E8 is past the end of the font: its last code is 0x3E7.");
    EXPECT_EQ(texts[3], "\"4E\" is not a code. Type it in hex (0x41 or 41h) or in decimal (65).");
}

TEST_F(ViewFixture, ReleaseAndEndOfScrollingDoNothing)
{
    CWindow& w = Open(512 * 32);
    w.Scroll(EScrollRequest::LineDown);
    w.ClickPixel(0, 0);
    const std::size_t nShown = w.controls.m_scrollBars[kIdPageScrollBar].size();
    EXPECT_FALSE(w.Scroll(EScrollRequest::ThumbPosition));
    EXPECT_FALSE(w.Scroll(EScrollRequest::EndScroll));
    // Another bar's scrolling goes to the framework untouched.
    EXPECT_TRUE(w.view.OnVScroll(EScrollRequest::LineUp, 0, 4242));
    EXPECT_EQ(w.controls.m_scrollBars[kIdPageScrollBar].size(), nShown);
    EXPECT_EQ(w.Map().m_nFirstCode, 0x100u);
    EXPECT_EQ(w.Grid().m_bModified, 1);
    EXPECT_TRUE(doc.GetChanges().empty());
}

TEST_F(ViewFixture, OnOnePageEveryRequestRereadsAndReloads)
{
    CWindow& w = Open(256 * 32);
    w.ClickCell(2, 0);
    for (auto request : {EScrollRequest::LineUp, EScrollRequest::LineDown, EScrollRequest::PageUp,
                         EScrollRequest::PageDown, EScrollRequest::ThumbTrack, EScrollRequest::Top})
    {
        // The file changes behind the view's back (byte 1 of glyph 3); the reread shows it.
        std::string changed = bytes;
        changed[3 * 32 + 1] = static_cast<char>(static_cast<int>(request) + 100);
        std::ofstream(font, std::ios::binary) << changed;
        w.ClickPixel(1, 1);
        const std::size_t nChanges = doc.GetChanges().size();

        EXPECT_TRUE(w.Scroll(request));
        EXPECT_EQ(w.PageBar().m_nPos, 0);
        EXPECT_EQ(w.Map().GetCell(3, 0)[1], static_cast<int>(request) + 100);
        EXPECT_EQ(doc.GetChanges().size(), nChanges + 1); // the edit was committed ...
        EXPECT_EQ(w.Map().m_changed[2], 1);               // ... and shows on the page
        EXPECT_EQ(w.Grid().m_glyph.m_nCode, 2u);
        EXPECT_EQ(w.Grid().m_glyph.m_bits, doc.GetChanges().back().m_bits);
        EXPECT_EQ(w.Grid().m_bModified, 0);
    }
}

TEST_F(ViewFixture, DownloadAndExportUseTheSavedFile)
{
    CRecordingUserInterface newUi;
    CTypeloomDoc newDoc(newUi);
    CWindow fresh(newDoc, newUi);
    fresh.view.OnInitialUpdate();
    // The dialog itself asks for a saved file.
    EXPECT_EQ(fresh.view.OnFileDownload(), (CDownloadStart{"", 16, 16}));
    fresh.view.OnFileExport();
    EXPECT_EQ(newUi.m_messages,
              (std::vector<CMessageBoxRequest>{
                  {kMsgSaveFirst, std::nullopt, EMessageIcon::Warning, EMessageButtons::Ok}}));
    EXPECT_TRUE(newUi.m_fileDialogs.empty());

    CWindow& w = Open(4 * 16);
    w.controls.SetValue(kIdWidthGroup, 3); // chosen, not applied
    EXPECT_EQ(w.view.OnFileDownload(), (CDownloadStart{font.string(), 16, 16}));
    w.Apply(0, 1);
    EXPECT_EQ(w.view.OnFileDownload(), (CDownloadStart{font.string(), 8, 16}));

    w.ClickPixel(0, 0); // pending, not saved: not exported
    ui.m_fileAnswers.push_back((dir / "font.c").string());
    w.view.OnFileExport();
    const std::string text = ReadWholeFile(dir / "font.c");
    ASSERT_EQ(text.size(), 4u * kCArrayRecordBytes);
    EXPECT_EQ(text.substr(0, 8), "   0x00,");
}
