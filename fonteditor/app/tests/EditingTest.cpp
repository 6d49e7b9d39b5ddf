// The Overview's road in the real window: open a font, choose its geometry,
// edit a glyph by clicks and as text, see the mark, save, find the bytes.

#include "SampleFont.h"
#include "TypeloomCommands.h"
#include "TypeloomFixture.h"
#include "TypeloomView.h"
#include "WxControlAccess.h"
#include "WxText.h"

#include <tuple>

#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace
{
constexpr unsigned kW = 8;
constexpr unsigned kH = 16;
constexpr unsigned kGlyphBytes = 16;

// The offset and bit of pixel (x, y) of glyph nCode in an 8 x 16 font.
std::size_t ByteOf(unsigned nCode, unsigned x, unsigned y)
{
    return nCode * kGlyphBytes + x + (y / 8) * kW;
}
std::uint8_t BitOf(unsigned y)
{
    return static_cast<std::uint8_t>(0x80u >> (y % 8));
}
} // namespace

class TypeloomEditing : public CTypeloomTest
{
protected:
    // The sample font of 512 glyphs (two pages) opened, through File Open
    // and its dialog or straight away, with 8 x 16 applied.
    void OpenSampleAs8x16(bool bThroughDialog = false)
    {
        m_original = MakeSampleFont(kW, kH, 512);
        m_font = WriteFont("sample.fnt", m_original);
        if (bThroughDialog)
            OpenThroughDialog(m_font);
        else
            ASSERT_NE(Docs().CreateDocument(PathToWx(m_font.string()), wxDOC_SILENT), nullptr);
        ASSERT_TRUE(PumpUntil([&] { return FormPanel().IsShownOnScreen(); }));
        Settle();
        ASSERT_EQ(Documents().size(), 1u);
        EXPECT_EQ(FromWx(Documents().front()->GetTitle()), "sample.fnt");
        ClickControl(FormPanel(), kIdWidthGroup);      // "8"
        ClickControl(FormPanel(), kIdHeightGroup + 1); // "16"
        ClickControl(FormPanel(), kIdApply);
        ASSERT_TRUE(PumpUntil([&] { return View().GetGlyphGrid().m_glyph.m_nWidth == kW; }));
        Settle();
    }

    CTypeloomView& View() { return Form().GetView(); }
    wxWindow& Control(int nId) { return *FindControl(FormPanel(), nId); }
    // The middle of pixel (x, y) of the grid, and of cell (c, r) of the map.
    wxPoint GridPoint(unsigned x, unsigned y)
    {
        const wxSize size = Control(kIdGlyphGrid).GetClientSize();
        const int n = 16; // 8 x 16 is drawn on 16 x 16 cells
        return wxPoint(static_cast<int>(x) * (size.x / n) + size.x / n / 2,
                       static_cast<int>(y) * (size.y / n) + size.y / n / 2);
    }
    static wxPoint MapPoint(int c, int r) { return wxPoint(40 + 34 * c + 16, 20 + 34 * r + 16); }
    std::string GlyphText()
    {
        return FromWx(dynamic_cast<wxTextCtrl&>(Control(kIdGlyphText)).GetValue());
    }

    std::vector<std::uint8_t> m_original;
    fs::path m_font;
};

TEST_F(TypeloomEditing, OpenApplyEditSelectSaveChangesExactlyThatPixel)
{
    OpenSampleAs8x16(true);
    CTypeloomView& view = View();
    // Page 0 of two, the glyph of cell (0, 0) loaded.
    auto& bar = dynamic_cast<wxScrollBar&>(Control(kIdPageScrollBar));
    EXPECT_EQ(bar.GetRange(), 2);
    EXPECT_EQ(bar.GetThumbPosition(), 0);

    // Select 'A' (0x41: column 1, row 4) and toggle its pixel (2, 3).
    ClickControl(FormPanel(), kIdCharMap, MapPoint(1, 4));
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x41; }));
    const bool bWasLit = m_original[ByteOf(0x41, 2, 3)] & BitOf(3);
    ClickControl(FormPanel(), kIdGlyphGrid, GridPoint(2, 3));
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_bModified == 1; }));
    EXPECT_EQ(view.GetGlyphGrid().m_glyph.GetPixel(2, 3), bWasLit ? 0 : 1);
    // The text box follows: row 3 of the glyph's text.
    const std::string strText = GlyphText();
    EXPECT_EQ(strText.substr(3 * 10 + 2, 1), bWasLit ? "0" : "1") << strText;

    // Selecting 'B' commits 'A': its cell turns to the changed colour.
    ClickControl(FormPanel(), kIdCharMap, MapPoint(2, 4));
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x42; }));
    EXPECT_EQ(Documents().front()->GetDoc().GetChanges().size(), 1u);
    const wxPoint mark = Control(kIdCharMap).ClientToScreen(wxPoint(40 + 34 * 1 + 30, 20 + 34 * 4));
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(mark) == wxColour(255, 128, 128); }))
        << ScreenPixel(mark).GetAsString().utf8_string();
    EXPECT_TRUE(SaveScreenshot(ArtifactPath("typeloom-main-window.png"), &Frame()));

    // Ctrl+S: only that pixel's byte differs on disk, by that bit.
    PressKeys('s', wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return ReadFile(m_font) != m_original; }));
    std::vector<std::uint8_t> expected = m_original;
    expected[ByteOf(0x41, 2, 3)] ^= BitOf(3);
    EXPECT_EQ(ReadFile(m_font), expected);
    EXPECT_TRUE(Documents().front()->GetDoc().GetChanges().empty());
    EXPECT_FALSE(Documents().front()->IsModified());
    // The mark is gone after the save.
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(mark) == *wxWHITE; }));
}

TEST_F(TypeloomEditing, TypingInTheTextBoxEditsTheGlyphAndUndoTakesItBack)
{
    OpenSampleAs8x16();
    CTypeloomView& view = View();
    ClickControl(FormPanel(), kIdCharMap, MapPoint(0, 2)); // the space, 0x20: all dark
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x20; }));
    auto& text = dynamic_cast<wxTextCtrl&>(Control(kIdGlyphText));
    const std::string strBefore = GlyphText();

    // Overtype the first row's first digit: a real click at the box's top
    // left, the caret at the start, then keys.
    ClickControl(FormPanel(), kIdGlyphText, wxPoint(3, 5));
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == &text; }));
    text.SetInsertionPoint(0);
    PressKeys(WXK_DELETE);
    PressKeys('1');
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.GetPixel(0, 0) == 1; }))
        << GlyphText();
    EXPECT_EQ(view.GetGlyphGrid().m_bModified, 1);

    // Ctrl+Z goes to the box: its text before the typing, and the grid with it.
    PressKeys('z', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return GlyphText() == strBefore; })) << GlyphText();
    EXPECT_EQ(view.GetGlyphGrid().m_glyph.GetPixel(0, 0), 0);
    // A second undo takes the undo back.
    PressKeys('z', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.GetPixel(0, 0) == 1; }));

    // With the grid focused, Undo drops the edit: the glyph as loaded.
    ClickControl(FormPanel(), kIdGlyphGrid, GridPoint(3, 3));
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.GetPixel(3, 3) == 1; }));
    PressKeys('z', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_bModified == 0; }));
    EXPECT_EQ(GlyphText(), strBefore);
    EXPECT_TRUE(Documents().front()->GetDoc().GetChanges().empty());
}

TEST_F(TypeloomEditing, CopyAndPasteCarryTheGlyphTextWhateverHasTheFocus)
{
    OpenSampleAs8x16();
    CTypeloomView& view = View();
    ClickControl(FormPanel(), kIdCharMap, MapPoint(8, 4)); // 'H'
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x48; }));
    const CGlyph h = view.GetGlyphGrid().m_glyph;
    auto& text = dynamic_cast<wxTextCtrl&>(Control(kIdGlyphText));
    text.SelectAll();

    // Copy with the map focused (Ctrl+Insert), to 'I', paste (Shift+Insert).
    ClickControl(FormPanel(), kIdCharMap, MapPoint(9, 4));
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x49; }));
    text.SelectAll();
    ClickControl(FormPanel(), kIdCharMap, MapPoint(8, 4));
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x48; }));
    text.SelectAll();
    PressKeys(WXK_INSERT, wxMOD_CONTROL);
    ClickControl(FormPanel(), kIdCharMap, MapPoint(9, 4));
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x49; }));
    text.SelectAll();
    PressKeys(WXK_INSERT, wxMOD_SHIFT);
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_bModified == 1; }));
    EXPECT_EQ(view.GetGlyphGrid().m_glyph.m_bits, h.m_bits);
    EXPECT_EQ(view.GetGlyphGrid().m_glyph.m_nCode, 0x49u);
}

TEST_F(TypeloomEditing, ThePageScrollBarMovesAPageAndKeepsTheCell)
{
    OpenSampleAs8x16();
    CTypeloomView& view = View();
    ClickControl(FormPanel(), kIdCharMap, MapPoint(1, 4));
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x41; }));
    auto& bar = dynamic_cast<wxScrollBar&>(Control(kIdPageScrollBar));
    // The bar's lower arrow: the bottom end of the bar.
    const wxSize size = bar.GetClientSize();
    ClickControl(FormPanel(), kIdPageScrollBar, wxPoint(size.x / 2, size.y - 4));
    ASSERT_TRUE(PumpUntil([&] { return view.GetCharMap().m_nFirstCode == 0x100; }));
    EXPECT_EQ(view.GetGlyphGrid().m_glyph.m_nCode, 0x141u);
    EXPECT_EQ(bar.GetThumbPosition(), 1);
    // At the end a further step keeps the last page.
    ClickControl(FormPanel(), kIdPageScrollBar, wxPoint(size.x / 2, size.y - 4));
    Settle();
    EXPECT_EQ(view.GetCharMap().m_nFirstCode, 0x100u);
    EXPECT_EQ(bar.GetThumbPosition(), 1);
    ClickControl(FormPanel(), kIdPageScrollBar, wxPoint(size.x / 2, 4));
    ASSERT_TRUE(PumpUntil([&] { return view.GetCharMap().m_nFirstCode == 0; }));
    EXPECT_EQ(bar.GetThumbPosition(), 0);

    // One wheel notch down is one page, whatever the toolkit would make of it.
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetEventObject(&bar);
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    wheel.m_wheelDelta = 120;
    wheel.m_wheelRotation = -120;
    bar.ProcessWindowEvent(wheel);
    EXPECT_EQ(view.GetCharMap().m_nFirstCode, 0x100u);
    EXPECT_EQ(bar.GetThumbPosition(), 1);
    wheel.m_wheelRotation = 120;
    bar.ProcessWindowEvent(wheel);
    EXPECT_EQ(view.GetCharMap().m_nFirstCode, 0u);

    // The keys of the Edit menu walk the pages wherever the focus is.
    Control(kIdGlyphText).SetFocus();
    Settle();
    for (const auto& [nKey, nModifiers, nFirst] : {std::tuple{WXK_PAGEDOWN, wxMOD_NONE, 0x100u},
                                                   {WXK_PAGEUP, wxMOD_NONE, 0u},
                                                   {WXK_END, wxMOD_CONTROL, 0x100u},
                                                   {WXK_HOME, wxMOD_CONTROL, 0u}})
    {
        PressKeys(nKey, nModifiers);
        ASSERT_TRUE(PumpUntil([&] { return view.GetCharMap().m_nFirstCode == nFirst; })) << nKey;
        EXPECT_EQ(bar.GetThumbPosition(), static_cast<int>(nFirst / 256));
    }
}

TEST_F(TypeloomEditing, TheGlyphMenuInvertsTheGlyphAndCtrlZTakesItBack)
{
    OpenSampleAs8x16();
    CTypeloomView& view = View();
    ClickControl(FormPanel(), kIdCharMap, MapPoint(0, 2)); // the space: all dark
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.m_nCode == 0x20; }));
    const std::string strBefore = GlyphText();

    // Through the child frame, as the menu item sends it.
    wxCommandEvent invert(wxEVT_MENU, WxCommandId(kCmdGlyphInvert));
    Frame().GetActiveChild()->GetEventHandler()->ProcessEvent(invert);
    ASSERT_TRUE(PumpUntil([&] { return view.GetGlyphGrid().m_glyph.GetPixel(7, 15) == 1; }));
    EXPECT_EQ(GlyphText().find('0'), std::string::npos) << GlyphText();
    EXPECT_EQ(view.GetGlyphGrid().m_bModified, 1);

    PressKeys('z', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return GlyphText() == strBefore; })) << GlyphText();
    EXPECT_EQ(view.GetGlyphGrid().m_glyph.GetPixel(7, 15), 0);
}

TEST_F(TypeloomEditing, FileImportShowsItsDialogAndOpensTheFontItWroteInItsGeometry)
{
    m_watcher.SaveScreenshots(ArtifactPath("typeloom-import"));
    m_watcher.Answer(2); // Cancel
    wxCommandEvent import(wxEVT_MENU, WxCommandId(kCmdFileImport));
    Frame().GetEventHandler()->ProcessEvent(import);
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "Import a Font");
    EXPECT_TRUE(Documents().empty());

    // What OK leads to once the font is written: it opens as 8 x 13.
    const fs::path font = WriteFont("imported.fnt", MakeSampleFont(8, 13, 256));
    Frame().OpenImportedFont(font.string(), 8, 13);
    ASSERT_TRUE(PumpUntil([&] { return Documents().size() == 1; }));
    ASSERT_TRUE(PumpUntil([&] { return View().GetGlyphGrid().m_glyph.m_nHeight == 13; }));
    EXPECT_EQ(View().GetGlyphGrid().m_glyph.m_nWidth, 8u);
    EXPECT_EQ(View().m_nHeightIndex, 4);
    EXPECT_EQ(FromWx(dynamic_cast<wxTextCtrl&>(Control(kIdOtherHeight)).GetValue()), "13");
}
