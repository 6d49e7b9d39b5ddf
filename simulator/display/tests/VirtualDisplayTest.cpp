#include "VirtualDisplay.h"

#include <initializer_list>

#include <gtest/gtest.h>

namespace
{
void Write(CVirtualDisplay& display, const std::string& strText)
{
    for (const char c : strText)
        display.WriteCharacter(static_cast<std::uint8_t>(c));
}

std::string Line(const CVirtualDisplay& display, int nRow)
{
    std::string line = display.LineCodes(nRow);
    return line.erase(line.find_last_not_of(' ') + 1);
}

// Row and column from 1, as the documentation counts them.
std::pair<int, int> Cursor(const CVirtualDisplay& display)
{
    return {display.CursorRow() + 1, display.CursorColumn() + 1};
}

const std::string k20 = "ABCDEFGHIJKLMNOPQRST";
const std::string k40 = k20 + "abcdefghijklmnopqrst";

CGlyphBits Pattern(std::uint8_t nSeed)
{
    CGlyphBits bits{};
    for (std::size_t i = 0; i < bits.size(); ++i)
        bits[i] = static_cast<std::uint8_t>(nSeed + i * 7);
    return bits;
}
} // namespace

TEST(VirtualDisplay, OverwriteModeWrapsToTheNextLineAndBackToTheTop)
{
    CVirtualDisplay display;
    Write(display, k20);
    // The last column was written: the cursor waits there, so CR LF after a
    // full line starts the second line instead of skipping it.
    EXPECT_EQ(Cursor(display), std::make_pair(1, 20));
    display.CursorLineStart();
    display.CursorDown();
    Write(display, "xy");
    EXPECT_EQ(Line(display, 0), k20);
    EXPECT_EQ(Line(display, 1), "xy");

    display.Clear();
    Write(display, k40 + "*");
    EXPECT_EQ(Line(display, 0), "*" + k20.substr(1));
    EXPECT_EQ(Line(display, 1), k40.substr(20));
    EXPECT_EQ(Cursor(display), std::make_pair(1, 2));
}

TEST(VirtualDisplay, VerticalScrollMovesTheLowerLineUp)
{
    CVirtualDisplay display;
    display.SetWriteMode(EWriteMode::VerticalScroll);
    Write(display, k40 + "*");
    EXPECT_EQ(Line(display, 0), k40.substr(20));
    EXPECT_EQ(Line(display, 1), "*");
    EXPECT_EQ(Cursor(display), std::make_pair(2, 2));
    // A line feed on the lower line scrolls too; one on the upper line only moves.
    display.CursorDown();
    EXPECT_EQ(Line(display, 0), "*");
    EXPECT_EQ(Line(display, 1), "");
    display.CursorUp();
    display.CursorUp(); // on the upper line: the screen moves down
    EXPECT_EQ(Line(display, 0), "");
    EXPECT_EQ(Line(display, 1), "*");
}

TEST(VirtualDisplay, HorizontalScrollKeepsTheCursorInTheLastColumn)
{
    CVirtualDisplay display;
    display.SetWriteMode(EWriteMode::HorizontalScroll);
    Write(display, k20 + "12345");
    EXPECT_EQ(Line(display, 0), k20.substr(5) + "12345");
    EXPECT_EQ(Line(display, 1), "");
    EXPECT_EQ(Cursor(display), std::make_pair(1, 20));
    display.CursorRight();
    display.CursorBottom();
    display.CursorDown(); // nowhere to go
    EXPECT_EQ(Cursor(display), std::make_pair(2, 1));
}

TEST(VirtualDisplay, CursorMovesStopOrWrapAtTheEdges)
{
    CVirtualDisplay display;
    display.CursorLeft();
    EXPECT_EQ(Cursor(display), std::make_pair(1, 1)); // home stays
    display.CursorLineEnd();
    EXPECT_EQ(Cursor(display), std::make_pair(1, 20));
    display.CursorRight();
    EXPECT_EQ(Cursor(display), std::make_pair(2, 1));
    display.CursorLeft();
    EXPECT_EQ(Cursor(display), std::make_pair(1, 20));
    display.CursorBottom();
    display.CursorLineEnd();
    display.CursorRight(); // overwrite mode: back to the top
    EXPECT_EQ(Cursor(display), std::make_pair(1, 1));
    display.CursorUp(); // on the upper line: the lower one
    EXPECT_EQ(Cursor(display), std::make_pair(2, 1));
    display.CursorDown();
    EXPECT_EQ(Cursor(display), std::make_pair(1, 1));

    EXPECT_TRUE(display.CursorTo(20, 2));
    EXPECT_EQ(Cursor(display), std::make_pair(2, 20));
    for (const auto& [nColumn, nRow] : {std::pair{0, 1}, {21, 1}, {1, 0}, {1, 3}})
        EXPECT_FALSE(
            display.CursorTo(static_cast<std::uint8_t>(nColumn), static_cast<std::uint8_t>(nRow)));
    EXPECT_EQ(Cursor(display), std::make_pair(2, 20));
    display.CursorHome();
    EXPECT_EQ(Cursor(display), std::make_pair(1, 1));
}

TEST(VirtualDisplay, ClearingTheScreenAndTheCursorLine)
{
    CVirtualDisplay display;
    Write(display, k40);
    display.CursorTo(7, 2);
    display.ClearCursorLine();
    EXPECT_EQ(Line(display, 0), k20);
    EXPECT_EQ(Line(display, 1), "");
    EXPECT_EQ(Cursor(display), std::make_pair(2, 1));
    display.Clear();
    EXPECT_EQ(Line(display, 0), "");
    EXPECT_TRUE(display.Cell(0, 0).m_bBlank);
    EXPECT_EQ(Cursor(display), std::make_pair(1, 1));
}

TEST(VirtualDisplay, TextSelectorsWriteOverReplaceOrRunALine)
{
    CVirtualDisplay display;
    Write(display, k40);
    display.CursorTo(5, 2);
    EXPECT_TRUE(display.ShowText('1', "one"));
    EXPECT_EQ(Line(display, 0), "one" + k20.substr(3));
    EXPECT_TRUE(display.ShowText('B', "two"));
    EXPECT_EQ(Line(display, 1), "two");
    EXPECT_TRUE(display.ShowText('2', "2"));
    EXPECT_EQ(Line(display, 1), "2wo");
    EXPECT_TRUE(display.ShowText('A', "HELLO"));
    EXPECT_EQ(Line(display, 0), "HELLO");
    EXPECT_FALSE(display.RunningText());
    EXPECT_TRUE(display.ShowText('D', "running"));
    EXPECT_EQ(Line(display, 0), "running");
    EXPECT_TRUE(display.RunningText());
    EXPECT_EQ(Cursor(display), std::make_pair(2, 5)); // the cursor stays
    EXPECT_FALSE(display.ShowText('C', "x"));
    EXPECT_EQ(Line(display, 0), "running");
    display.Clear();
    EXPECT_FALSE(display.RunningText());
}

TEST(VirtualDisplay, InitialiseResetsModesButKeepsSettingsAndGlyphs)
{
    CVirtualDisplay display;
    const CGlyphBits glyph = Pattern(1);
    std::array<std::uint8_t, kFontPageBytes> page{};
    std::copy(glyph.begin(), glyph.end(), page.begin());
    ASSERT_TRUE(display.StoreFontPage(0x02, 1, page.data()));
    ASSERT_TRUE(display.SetBrightness(2));
    ASSERT_TRUE(display.SetContrast(3));
    ASSERT_TRUE(display.SetLanguage('0'));
    ASSERT_TRUE(display.SetBaudCode('7'));
    ASSERT_TRUE(display.SetThankYou(1));
    display.SetWriteMode(EWriteMode::VerticalScroll);
    display.SetReverse(1);
    display.SetDimming(1);
    display.SetBlink(10);
    ASSERT_TRUE(display.SetCharacterSet(2));
    ASSERT_TRUE(display.SetCodeTable(1));
    display.SelectUserFont(1);
    ASSERT_TRUE(display.SetIndicator(3));
    ASSERT_TRUE(display.SetWarning(1, 4));
    Write(display, "x");

    display.Initialise();
    EXPECT_EQ(Line(display, 0), "");
    EXPECT_EQ(Cursor(display), std::make_pair(1, 1));
    EXPECT_EQ(display.WriteMode(), EWriteMode::Overwrite);
    EXPECT_FALSE(display.Reverse());
    EXPECT_FALSE(display.Dimmed());
    EXPECT_EQ(display.BlinkInterval(), 0);
    EXPECT_FALSE(display.UserFontSelected());
    EXPECT_EQ(display.Indicator(), EIndicator::None);
    EXPECT_EQ(display.WarningColumn(), 0);
    // Kept in the display's memory.
    EXPECT_EQ(display.CharacterSet(), 2);
    EXPECT_EQ(display.CodeTable(), 1);
    EXPECT_EQ(display.Brightness(), 2);
    EXPECT_EQ(display.Contrast(), 3);
    EXPECT_TRUE(display.Chinese());
    EXPECT_EQ(display.BaudRate(), 19200);
    EXPECT_TRUE(display.ThankYou());
    ASSERT_NE(display.UserGlyph(0x20), nullptr);
    EXPECT_EQ(*display.UserGlyph(0x20), glyph);

    // The factory settings: 02 05 43 30 03.
    EXPECT_FALSE(display.RestoreSettings('1'));
    EXPECT_EQ(display.Brightness(), 2);
    EXPECT_TRUE(display.RestoreSettings('0'));
    EXPECT_EQ(display.CharacterSet(), 0);
    EXPECT_EQ(display.CodeTable(), 0);
    EXPECT_EQ(display.Brightness(), 4);
    EXPECT_EQ(display.Contrast(), 7);
    EXPECT_FALSE(display.Chinese());
    EXPECT_EQ(display.BaudRate(), 9600);
    EXPECT_FALSE(display.ThankYou());
    EXPECT_NE(display.UserGlyph(0x20), nullptr);
}

TEST(VirtualDisplay, ValuesOutsideTheDisplaysRangesChangeNothing)
{
    CVirtualDisplay display;
    const auto nChanges = display.Changes();
    EXPECT_FALSE(display.SetBrightness(0));
    EXPECT_FALSE(display.SetBrightness(5));
    EXPECT_FALSE(display.SetContrast(8));
    EXPECT_FALSE(display.SetIndicator(5));
    EXPECT_FALSE(display.SetThankYou(2));
    EXPECT_FALSE(display.SetWarning(1, 0));
    EXPECT_FALSE(display.SetWarning(1, 21));
    EXPECT_FALSE(display.SetWarning(3, 0));
    EXPECT_FALSE(display.SetLanguage('2'));
    for (const char c : {'4', '5', '8', '9', 'A'})
        EXPECT_FALSE(display.SetBaudCode(static_cast<std::uint8_t>(c))) << c;
    EXPECT_FALSE(display.SetCharacterSet(0x10));
    EXPECT_FALSE(display.SetCodeTable(8)); // VF620 has tables 0 to 7 and 0x0F
    EXPECT_FALSE(display.CancelUserCharacter(0x1F));
    EXPECT_EQ(display.Changes(), nChanges);
    EXPECT_EQ(display.Brightness(), 4);
    EXPECT_EQ(display.BaudRate(), 9600);

    EXPECT_TRUE(display.SetCodeTable(0x0F));
    CVirtualDisplay vf730(EDisplayModel::VF730);
    EXPECT_TRUE(vf730.SetCodeTable(8));
    EXPECT_TRUE(vf730.SetCodeTable(0x0E));
    EXPECT_FALSE(vf730.SetCodeTable(0x10));
    for (const auto& [cDigit, nRate] :
         {std::pair{'3', 1200}, {'2', 2400}, {'1', 4800}, {'0', 9600}, {'7', 19200}, {'6', 38400}})
    {
        EXPECT_TRUE(display.SetBaudCode(static_cast<std::uint8_t>(cDigit)));
        EXPECT_EQ(display.BaudRate(), nRate);
    }
}

TEST(VirtualDisplay, FontPagesFillTheirAreaAndPagesOutsideItAreRefused)
{
    CVirtualDisplay display;
    std::array<std::uint8_t, kFontPageBytes> page{};
    for (std::size_t i = 0; i < page.size(); ++i)
        page[i] = static_cast<std::uint8_t>(i);
    EXPECT_TRUE(display.StoreFontPage(0x02, 3, page.data()));
    EXPECT_EQ(display.UserGlyph(0x3F), nullptr);
    ASSERT_NE(display.UserGlyph(0x40), nullptr);
    EXPECT_EQ((*display.UserGlyph(0x40))[0], 0x00);
    EXPECT_EQ((*display.UserGlyph(0x4F))[15], 0xFF);
    EXPECT_EQ(display.UserGlyph(0x50), nullptr);
    EXPECT_EQ(display.PagesReceived(0), 0b100u);

    EXPECT_TRUE(display.StoreFontPage(0x03, 8, page.data()));
    EXPECT_NE(display.UserGlyph(0xF0), nullptr);
    EXPECT_NE(display.UserGlyph(0xFF), nullptr);
    EXPECT_EQ(display.PagesReceived(1), 0b10000000u);

    EXPECT_FALSE(display.StoreFontPage(0x02, 7, page.data()));
    EXPECT_FALSE(display.StoreFontPage(0x02, 0, page.data()));
    EXPECT_FALSE(display.StoreFontPage(0x03, 9, page.data()));
    EXPECT_FALSE(display.StoreFontPage(0x04, 1, page.data()));
    EXPECT_EQ(display.PagesReceived(0), 0b100u);

    EXPECT_TRUE(display.CancelUserCharacter(0x41));
    EXPECT_EQ(display.UserGlyph(0x41), nullptr);
    EXPECT_NE(display.UserGlyph(0x42), nullptr);

    std::array<std::uint8_t, 2 * kGlyphBytes> two{};
    two[16] = 0xAA;
    EXPECT_TRUE(display.DefineCharacters(0x30, 0x31, two.data()));
    EXPECT_EQ((*display.UserGlyph(0x31))[0], 0xAA);
    EXPECT_FALSE(display.DefineCharacters(0x31, 0x30, two.data()));
    EXPECT_FALSE(display.DefineCharacters(0x10, 0x11, two.data()));
}

TEST(VirtualDisplay, DownloadedGlyphsShowWhereTheSelectionAtWritingAsksForThem)
{
    CVirtualDisplay display;
    std::array<std::uint8_t, kFontPageBytes> page{};
    page.fill(0x55);
    ASSERT_TRUE(display.StoreFontPage(0x02, 3, page.data())); // 0x40 to 0x4F
    ASSERT_TRUE(display.StoreFontPage(0x03, 1, page.data())); // 0x80 to 0x8F

    Write(display, "AZ");
    display.WriteCharacter(0x80);
    EXPECT_FALSE(display.ShowsUserGlyph(display.Cell(0, 0))); // nothing selected

    display.SelectUserFont(1);
    // The selection counts for what is written after it.
    EXPECT_FALSE(display.ShowsUserGlyph(display.Cell(0, 0)));
    Write(display, "AZ");
    display.WriteCharacter(0x80);
    EXPECT_TRUE(display.ShowsUserGlyph(display.Cell(0, 3)));  // A
    EXPECT_FALSE(display.ShowsUserGlyph(display.Cell(0, 4))); // Z has no glyph
    EXPECT_TRUE(display.ShowsUserGlyph(display.Cell(0, 5)));
    display.SelectUserFont(0);

    // The downloaded international set shows area 0, not area 1.
    ASSERT_TRUE(display.SetCharacterSet(0x0F));
    display.CursorBottom();
    display.WriteCharacter('A');
    display.WriteCharacter(0x80);
    EXPECT_TRUE(display.ShowsUserGlyph(display.Cell(1, 0)));
    EXPECT_FALSE(display.ShowsUserGlyph(display.Cell(1, 1)));
    ASSERT_TRUE(display.SetCharacterSet(0x0D)); // "User Defined" too
    display.WriteCharacter('B');
    EXPECT_TRUE(display.ShowsUserGlyph(display.Cell(1, 2)));
    ASSERT_TRUE(display.SetCharacterSet(0));
    ASSERT_TRUE(display.SetCodeTable(0x0F));
    display.WriteCharacter('A');
    display.WriteCharacter(0x80);
    EXPECT_FALSE(display.ShowsUserGlyph(display.Cell(1, 3)));
    EXPECT_TRUE(display.ShowsUserGlyph(display.Cell(1, 4)));

    // Forgetting a glyph shows the built-in character again, everywhere.
    display.CancelUserCharacter(0x80);
    EXPECT_FALSE(display.ShowsUserGlyph(display.Cell(1, 4)));
}

TEST(VirtualDisplay, ReverseBelongsToTheCharactersWrittenWhileItIsOn)
{
    CVirtualDisplay display;
    display.WriteCharacter('a');
    display.SetReverse(0x03); // bit 0
    display.WriteCharacter('b');
    display.SetReverse(0x02);
    display.WriteCharacter('c');
    EXPECT_FALSE(display.Cell(0, 0).m_bReverse);
    EXPECT_TRUE(display.Cell(0, 1).m_bReverse);
    EXPECT_FALSE(display.Cell(0, 2).m_bReverse);
}

TEST(VirtualDisplay, SelfTestShowsTheStoredSettings)
{
    CVirtualDisplay display;
    display.SetBaudCode('6');
    Write(display, k40);
    display.SelfTest();
    EXPECT_EQ(display.LineCodes(0), "SELF TEST  38400 BPS");
    EXPECT_EQ(Line(display, 1), "VF620 INTERNATIONAL");
    EXPECT_EQ(Cursor(display), std::make_pair(1, 1));
}

TEST(VirtualDisplay, PeripheralSelectionFollowsBitOne)
{
    CVirtualDisplay display;
    for (const auto& [nValue, bSelected] : {std::pair{1, false}, {2, true}, {0, false}, {3, true}})
    {
        display.SelectPeripheral(static_cast<std::uint8_t>(nValue));
        EXPECT_EQ(display.Selected(), bSelected) << nValue;
    }
}

TEST(VirtualDisplay, AClearedWarningBitPutsEveryMarkOutWhateverTheColumn)
{
    CVirtualDisplay display;
    for (const std::uint8_t nColumn : std::initializer_list<std::uint8_t>{0, 5, 20, 21, 0xFF})
    {
        ASSERT_TRUE(display.SetWarning(1, 9));
        EXPECT_TRUE(display.SetWarning(0, nColumn)) << int(nColumn);
        EXPECT_EQ(display.WarningColumn(), 0) << int(nColumn);
    }
}
