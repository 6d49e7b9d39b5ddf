#include "ScreenText.h"

namespace
{
std::string NoneIfEmpty(std::string text)
{
    return text.empty() ? "none" : text;
}
} // namespace

std::string PageList(const CVirtualDisplay& display, int nArea)
{
    std::string text;
    for (int nPage = 1; nPage <= 8; ++nPage)
        if (display.PagesReceived(nArea) & (1u << (nPage - 1)))
            text += (text.empty() ? "" : " ") + std::to_string(nPage);
    return text;
}

int UserGlyphCells(const CVirtualDisplay& display)
{
    int nCells = 0;
    for (int nRow = 0; nRow < kDisplayRows; ++nRow)
        for (int nColumn = 0; nColumn < kDisplayColumns; ++nColumn)
            nCells += display.ShowsUserGlyph(display.Cell(nRow, nColumn));
    return nCells;
}

std::string CellText(const CVirtualDisplay& display, const CCell& cell)
{
    if (cell.m_bBlank)
        return " ";
    const char32_t c =
        BuiltInCharacter(cell.m_nCode, cell.m_nCharacterSet, cell.m_nCodeTable, display.Model());
    return c ? Utf8(c) : " ";
}

std::string ScreenText(const CVirtualDisplay& display)
{
    const std::string strRule = "+" + std::string(kDisplayColumns, '-') + "+\n";
    std::string text = strRule;
    for (int nRow = 0; nRow < kDisplayRows; ++nRow)
    {
        text += "|";
        for (int nColumn = 0; nColumn < kDisplayColumns; ++nColumn)
            text += CellText(display, display.Cell(nRow, nColumn));
        text += "|\n";
    }
    text += strRule;
    const int nBlink = display.BlinkInterval();
    const char* pszSetName = CharacterSetName(static_cast<std::uint8_t>(display.CharacterSet()));
    const char* pszTableName =
        CodeTableName(display.Model(), static_cast<std::uint8_t>(display.CodeTable()));
    text += "model: " + std::string(ModelName(display.Model())) + "\n";
    text += "cursor: line " + std::to_string(display.CursorRow() + 1) + ", column " +
            std::to_string(display.CursorColumn() + 1) + "\n";
    text += "mode: " + std::string(WriteModeName(display.WriteMode())) + "\n";
    text += "brightness: " + std::to_string(display.Brightness()) + " (" +
            std::to_string(20 + 20 * display.Brightness()) + "%)" +
            (display.Dimmed() ? ", dimmed" : "") + "\n";
    text += "contrast: " + std::to_string(display.Contrast() + 1) + " of 8\n";
    text += "blink: " + (nBlink ? "every " + std::to_string(nBlink * 50) + " ms" : "off") + "\n";
    text += "reverse: " + std::string(display.Reverse() ? "on" : "off") + "\n";
    text += "character set: " + std::to_string(display.CharacterSet()) + " " + pszSetName + "\n";
    text += "code table: " + std::to_string(display.CodeTable()) + " " + pszTableName + "\n";
    text +=
        "downloaded glyphs selected: " + std::string(display.UserFontSelected() ? "yes" : "no") +
        "; cells showing them: " + std::to_string(UserGlyphCells(display)) + "\n";
    text += "downloaded pages: area 0: " + NoneIfEmpty(PageList(display, 0)) +
            "; area 1: " + NoneIfEmpty(PageList(display, 1)) + "\n";
    text += "language: " + std::string(display.Chinese() ? "chinese" : "international") + "\n";
    text += "baud rate: " + std::to_string(display.BaudRate()) + "\n";
    text += "indicator: " + std::string(IndicatorName(display.Indicator())) + "\n";
    text +=
        "warning mark: " +
        (display.WarningColumn() ? "column " + std::to_string(display.WarningColumn()) : "none") +
        "\n";
    text += "thank you: " + std::string(display.ThankYou() ? "on" : "off") + "\n";
    text += "running text: " + std::string(display.RunningText() ? "line 1" : "none") + "\n";
    text += "selected: " + std::string(display.Selected() ? "yes" : "no") + "\n";
    return text;
}
