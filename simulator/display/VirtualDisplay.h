#pragma once

#include "CharacterSets.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

inline constexpr int kDisplayRows = 2;
inline constexpr int kDisplayColumns = 20;
// A character cell is 8 dots wide and 16 high; a downloaded glyph is 16
// bytes laid out as the font files lay out an 8 x 16 glyph: two bands of 8
// rows, one byte per column from the left, bit 7 the band's top row.
inline constexpr int kCellDotsWide = 8;
inline constexpr int kCellDotsHigh = 16;
inline constexpr std::size_t kGlyphBytes = 16;
inline constexpr std::size_t kFontPageBytes = 256;
inline constexpr unsigned kGlyphsPerPage = static_cast<unsigned>(kFontPageBytes / kGlyphBytes);

using CGlyphBits = std::array<std::uint8_t, kGlyphBytes>;

// Whether dot (x, y) of a downloaded glyph is lit.
inline bool GlyphDot(const CGlyphBits& bits, int x, int y)
{
    return (bits[static_cast<std::size_t>((y / 8) * kCellDotsWide + x)] & (0x80 >> (y % 8))) != 0;
}

enum class EWriteMode
{
    Overwrite,
    VerticalScroll,
    HorizontalScroll
};
const char* WriteModeName(EWriteMode mode);

// Legends the display can light below its lower line.
enum class EIndicator
{
    None,
    UnitPrice,
    Total,
    Pay,
    Change
};
const char* IndicatorName(EIndicator indicator);

// One character cell: the code and how it was written. The character sets
// in force when a character is written stay with it; a later selection
// changes only what is written after it.
struct CCell
{
    std::uint8_t m_nCode = 0x20;
    bool m_bReverse = false;
    std::uint8_t m_nCharacterSet = 0;
    std::uint8_t m_nCodeTable = 0;
    bool m_bUserFont = false; // the downloaded glyphs were selected (1B 25)
    bool m_bBlank = true;     // cleared, never written: always dark

    bool operator==(const CCell&) const = default;
};

// The display's state, changed by one method per command (docs/vfdsim.md
// says what each does). Methods that take an argument the display has no
// meaning for change nothing and return false. Settings the display keeps
// in its own memory (brightness, contrast, character set, code table, baud
// rate, language, the "thank you" option, downloaded glyphs) survive
// Initialise; everything else returns to its power-on value. (The setup
// utility sends its character set and code table and then a brightness
// with an initialise: the initialise must not undo them.)
class CVirtualDisplay
{
public:
    explicit CVirtualDisplay(EDisplayModel model = EDisplayModel::VF620);

    // Characters and text.
    void WriteCharacter(std::uint8_t nCode);
    // 1B 51 selector text 0D. '1'/'2' write the text over line 1/2 from its
    // first column, 'A'/'B' replace line 1/2 with it, 'D' runs it through
    // line 1. The cursor stays where it was.
    bool ShowText(std::uint8_t nSelector, const std::string& strText);

    // The screen.
    void Initialise();
    void Clear();
    void ClearCursorLine();
    void SelfTest();

    // The cursor.
    void CursorLeft();
    void CursorRight();
    void CursorDown();
    void CursorUp();
    void CursorHome();
    void CursorLineStart();
    void CursorLineEnd();
    void CursorBottom();
    // Column 1 to 20, row 1 to 2.
    bool CursorTo(std::uint8_t nColumn, std::uint8_t nRow);

    // Modes and attributes.
    void SetWriteMode(EWriteMode mode);
    bool SetBrightness(std::uint8_t nLevel); // 1 to 4: 40 % to 100 %
    void SetDimming(std::uint8_t nValue);    // 0 off, else half brightness
    void SetReverse(std::uint8_t nValue);    // bit 0
    void SetBlink(std::uint8_t nInterval);   // n x 50 ms on and off; 0 steady
    bool SetContrast(std::uint8_t nLevel);   // 0 to 7
    bool SetIndicator(std::uint8_t nIndicator);
    bool SetThankYou(std::uint8_t nValue);                   // 0 or 1
    bool SetWarning(std::uint8_t nOn, std::uint8_t nColumn); // mark under a column
    void SelectPeripheral(std::uint8_t nValue);              // bit 1: the display takes data

    // Character sets and downloaded glyphs.
    bool SetCharacterSet(std::uint8_t nSet);
    bool SetCodeTable(std::uint8_t nTable);
    void SelectUserFont(std::uint8_t nValue); // bit 0
    // Forgets the downloaded glyph of one code; false for a control code.
    bool CancelUserCharacter(std::uint8_t nCode);
    // A font frame: area code 02 (codes 0x20 to 0x7F, pages 1 to 6) or 03
    // (0x80 to 0xFF, pages 1 to 8). False for a page outside the area.
    bool StoreFontPage(std::uint8_t nAreaCode, std::uint8_t nPage, const std::uint8_t* pData);
    // Glyphs for the codes nFirst to nLast, 16 bytes each.
    bool DefineCharacters(std::uint8_t nFirst, std::uint8_t nLast, const std::uint8_t* pData);

    // Settings kept in the display's memory.
    bool SetLanguage(std::uint8_t nDigit);     // '0' Chinese, '1' international
    bool SetBaudCode(std::uint8_t nDigit);     // '3' 1200 ... '0' 9600, '7', '6'
    bool RestoreSettings(std::uint8_t nDigit); // '0': the factory settings

    // What is shown.
    const CCell& Cell(int nRow, int nColumn) const { return m_cells[nRow][nColumn]; }
    std::string LineCodes(int nRow) const;
    int CursorRow() const { return m_nRow; }
    int CursorColumn() const { return m_nColumn; }
    EWriteMode WriteMode() const { return m_mode; }
    int Brightness() const { return m_nBrightness; }
    bool Dimmed() const { return m_bDimmed; }
    bool Reverse() const { return m_bReverse; }
    int BlinkInterval() const { return m_nBlink; }
    int Contrast() const { return m_nContrast; }
    EIndicator Indicator() const { return m_indicator; }
    bool ThankYou() const { return m_bThankYou; }
    int WarningColumn() const { return m_nWarningColumn; } // 0: none
    bool Selected() const { return m_bSelected; }
    int CharacterSet() const { return m_nCharacterSet; }
    int CodeTable() const { return m_nCodeTable; }
    bool UserFontSelected() const { return m_bUserFont; }
    bool Chinese() const { return m_bChinese; }
    int BaudRate() const; // the stored rate in bits per second
    bool RunningText() const { return m_bRunning; }
    EDisplayModel Model() const { return m_model; }

    // The downloaded glyph of a code, if one was stored.
    const CGlyphBits* UserGlyph(std::uint8_t nCode) const;
    // Whether a cell shows its code's downloaded glyph.
    bool ShowsUserGlyph(const CCell& cell) const;
    // Pages received per area (0 or 1), bit k-1 for page k.
    unsigned PagesReceived(int nArea) const { return m_nPages[nArea]; }

    // Counts every change of what the screen shows or the state reports.
    std::uint64_t Changes() const { return m_nChanges; }

private:
    void PowerOn();
    void Changed() { ++m_nChanges; }
    CCell NewCell(std::uint8_t nCode) const;
    void ClearRow(int nRow);
    void ScrollUp();
    void ScrollDown();
    // Moves to the start of the line after the cursor's, by the write mode.
    void NextLine();

    EDisplayModel m_model;
    std::array<std::array<CCell, kDisplayColumns>, kDisplayRows> m_cells{};
    int m_nRow = 0;
    int m_nColumn = 0;
    // The last column was written: the next character goes to the next line
    // (or scrolls), a cursor move starts from the last column.
    bool m_bPendingWrap = false;
    EWriteMode m_mode = EWriteMode::Overwrite;
    bool m_bDimmed = false;
    bool m_bReverse = false;
    int m_nBlink = 0;
    EIndicator m_indicator = EIndicator::None;
    int m_nWarningColumn = 0;
    bool m_bSelected = true;
    bool m_bUserFont = false;
    bool m_bRunning = false;
    // Kept through Initialise.
    std::uint8_t m_nCharacterSet = 0;
    std::uint8_t m_nCodeTable = 0;
    int m_nBrightness = 4;
    int m_nContrast = 7;
    bool m_bThankYou = false;
    bool m_bChinese = false;
    std::uint8_t m_nBaudCode = '0';
    std::array<CGlyphBits, 224> m_userGlyphs{}; // codes 0x20 to 0xFF
    std::bitset<224> m_userDefined;
    unsigned m_nPages[2] = {0, 0};
    std::uint64_t m_nChanges = 0;
};
