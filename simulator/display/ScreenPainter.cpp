#include "ScreenPainter.h"

#include "LabelFont.h"

#include <cstring>

namespace
{
CRgb Mix(CRgb from, CRgb to, double dAmount)
{
    auto channel = [&](std::uint8_t a, std::uint8_t b)
    { return static_cast<std::uint8_t>(a + (b - a) * dAmount + 0.5); };
    return {channel(from.m_r, to.m_r), channel(from.m_g, to.m_g), channel(from.m_b, to.m_b)};
}
// The display's house (code 0x7F), which VGA-style console fonts lack:
// the text screen shows it as U+2302, so the picture must not box it.
constexpr std::array<const char*, 6> kHouse = {"   #    ", "  ###   ", " ## ##  ",
                                               "##   ## ", "##   ## ", "#######"};
constexpr int kHouseTop = 5;
} // namespace

CRgb CScreenPainter::LitColour(const CVirtualDisplay& display)
{
    static constexpr double s_levels[] = {0.4, 0.6, 0.8, 1.0};
    double dIntensity = s_levels[display.Brightness() - 1] * (0.3 + 0.1 * display.Contrast());
    if (display.Dimmed())
        dIntensity *= 0.5;
    return Mix(kUnlit, kLit, dIntensity);
}

CRgb CScreenPainter::GlowColour(CRgb lit)
{
    return Mix(kGlass, lit, 0.45);
}

std::array<std::uint8_t, kCellDotsHigh> CScreenPainter::CellDots(const CVirtualDisplay& display,
                                                                 const CCell& cell) const
{
    std::array<std::uint8_t, kCellDotsHigh> rows{};
    // Row bytes, the leftmost dot in bit 0.
    const auto light = [&rows](std::size_t nRow, int nDot)
    { rows[nRow] = static_cast<std::uint8_t>(rows[nRow] | (1 << nDot)); };
    if (cell.m_bBlank)
        return rows;
    if (display.ShowsUserGlyph(cell))
    {
        const CGlyphBits& bits = *display.UserGlyph(cell.m_nCode);
        for (int y = 0; y < kCellDotsHigh; ++y)
            for (int x = 0; x < kCellDotsWide; ++x)
                if (GlyphDot(bits, x, y))
                    light(y, x);
    }
    else if (!m_pFont)
    {
        // No font: the code in hex, one digit above the other.
        static const char s_hex[] = "0123456789ABCDEF";
        if (cell.m_nCode != 0x20)
            for (int nDigit = 0; nDigit < 2; ++nDigit)
            {
                const CLabelGlyph& glyph =
                    LabelGlyph(s_hex[nDigit == 0 ? cell.m_nCode >> 4 : cell.m_nCode & 0xF]);
                for (int y = 0; y < kLabelGlyphHeight; ++y)
                    for (int x = 0; x < kLabelGlyphWidth; ++x)
                        if (glyph[y] & (0x10 >> x))
                            light(nDigit * 8 + y + 1, x + 1);
            }
    }
    else if (const char32_t c = BuiltInCharacter(cell.m_nCode, cell.m_nCharacterSet,
                                                 cell.m_nCodeTable, display.Model()))
    {
        const int nGlyph = m_pFont->GlyphOf(c);
        if (nGlyph < 0 && c == U'⌂')
        {
            for (std::size_t y = 0; y < kHouse.size(); ++y)
                for (int x = 0; kHouse[y][x]; ++x)
                    if (kHouse[y][x] == '#')
                        light(kHouseTop + y, x);
        }
        else if (nGlyph < 0)
        {
            // Not in the font: a hollow box, as a console shows it.
            for (int y = 3; y <= 12; ++y)
                rows[y] = (y == 3 || y == 12) ? 0x7E : 0x42;
        }
        else
        {
            const int nLeft = (kCellDotsWide - m_pFont->Width()) / 2;
            const int nTop = (kCellDotsHigh - m_pFont->Height()) / 2;
            for (int y = 0; y < kCellDotsHigh; ++y)
                for (int x = 0; x < kCellDotsWide; ++x)
                    if (m_pFont->Dot(nGlyph, x - nLeft, y - nTop))
                        light(y, x);
        }
    }
    if (cell.m_bReverse)
        for (auto& row : rows)
            row = static_cast<std::uint8_t>(~row);
    return rows;
}

bool CScreenPainter::BlinkDark(const CVirtualDisplay& display, long long nMilliseconds)
{
    const long long nHalf = 50LL * display.BlinkInterval();
    return nHalf > 0 && (nMilliseconds / nHalf) % 2 == 1;
}

void CScreenPainter::Paint(const CVirtualDisplay& display, CCanvas& canvas,
                           CPaintMoment moment) const
{
    canvas.FillRect(0, 0, kWidth, kHeight, kGlass);
    const CRgb lit = LitColour(display);
    for (int nRow = 0; nRow < kDisplayRows; ++nRow)
        for (int nColumn = 0; nColumn < kDisplayColumns; ++nColumn)
        {
            auto rows = CellDots(display, display.Cell(nRow, nColumn));
            if (moment.m_bBlinkDark)
                rows = {};
            // The cursor as the bottom row of dots lit, where the next
            // character will go.
            if (moment.m_bCursor && nRow == display.CursorRow() &&
                nColumn == display.CursorColumn())
                rows[kCellDotsHigh - 1] = 0xFF;
            PaintCell(
                canvas, DotLeft(nColumn, 0), DotTop(nRow, 0), kCellDotsWide, kCellDotsHigh,
                [&](int x, int y) { return ((rows[y] >> x) & 1) != 0; }, lit);
        }

    // One warning mark under each column, the chosen one lit.
    for (int nColumn = 0; nColumn < kDisplayColumns; ++nColumn)
    {
        const CRgb colour = display.WarningColumn() == nColumn + 1 ? lit : kUnlit;
        const int nMiddle = DotLeft(nColumn, 0) + kCellWidth / 2 - 1;
        for (int y = 0; y < kMarkHeight; ++y)
            canvas.FillRect(nMiddle - y, kMarkTop + y, nMiddle + y + 1, kMarkTop + y + 1, colour);
    }
    struct CLegend
    {
        int m_nColumn;
        const char* m_pszText;
        bool m_bLit;
    };
    const EIndicator indicator = display.Indicator();
    const CLegend legends[] = {
        {0, "U.P.", indicator == EIndicator::UnitPrice},
        {4, "TOTAL", indicator == EIndicator::Total},
        {8, "PAY", indicator == EIndicator::Pay},
        {11, "CHANGE", indicator == EIndicator::Change},
        {15, "THANK YOU", display.ThankYou()},
    };
    for (const auto& legend : legends)
        PaintLegend(canvas, DotLeft(legend.m_nColumn, 0), legend.m_pszText,
                    legend.m_bLit ? lit : kUnlit);
}

void CScreenPainter::PaintCell(CCanvas& canvas, int nLeft, int nTop, int nWide, int nHigh,
                               const std::function<bool(int x, int y)>& isLit, CRgb lit)
{
    const CRgb glow = GlowColour(lit);
    auto on = [&](int x, int y) { return x < nWide && y < nHigh && isLit(x, y); };
    for (int y = 0; y < nHigh; ++y)
        for (int x = 0; x < nWide; ++x)
        {
            const int nDotLeft = nLeft + x * kDotPitch;
            const int nDotTop = nTop + y * kDotPitch;
            const bool bLit = on(x, y);
            canvas.FillRect(nDotLeft, nDotTop, nDotLeft + kDotSize, nDotTop + kDotSize,
                            bLit ? lit : kUnlit);
            // Neighbouring lit dots glow into the gap between them.
            if (bLit && on(x + 1, y))
                canvas.FillRect(nDotLeft + kDotSize, nDotTop, nDotLeft + kDotPitch,
                                nDotTop + kDotSize, glow);
            if (bLit && on(x, y + 1))
                canvas.FillRect(nDotLeft, nDotTop + kDotSize, nDotLeft + kDotSize,
                                nDotTop + kDotPitch, glow);
        }
}

void CScreenPainter::PaintLegend(CCanvas& canvas, int x, const char* pszText, CRgb colour) const
{
    // Printed on the glass in the display's own font, one pixel a dot.
    for (const char* p = pszText; *p; ++p, x += 8)
    {
        const int nGlyph = m_pFont ? m_pFont->GlyphOf(static_cast<unsigned char>(*p)) : -1;
        for (int y = 0; y < 16; ++y)
            for (int dx = 0; dx < 8; ++dx)
                if (nGlyph >= 0 ? m_pFont->Dot(nGlyph, dx, y) : (y >= 4 && y < 12 && dx < 6))
                    canvas.FillRect(x + dx, kLegendTop + y, x + dx + 1, kLegendTop + y + 1, colour);
    }
}
