#pragma once

#include "Canvas.h"
#include "ConsoleFont.h"
#include "VirtualDisplay.h"

#include <array>
#include <functional>

// What changes with time rather than with the display's state: the
// picture file shows the screen steady, the window as it is now.
struct CPaintMoment
{
    bool m_bBlinkDark = false; // in the dark half of a blink
    bool m_bCursor = false;    // mark the cursor's cell
};

// Draws the virtual display as a photograph of a vacuum-fluorescent
// display would show it: dark glass, 20 x 2 cells of 8 x 16 dots with gaps
// between the cells, lit dots cyan-green at the display's brightness (the
// gap between two lit neighbours glowing a little), unlit dots faintly
// visible. Below the lower line a row of
// warning marks (one under each column) and the legends U.P., TOTAL, PAY,
// CHANGE and THANK YOU, lit when selected.
//
// Which dots a cell lights: nothing for a cleared cell; its code's
// downloaded glyph where the display uses one (CVirtualDisplay::
// ShowsUserGlyph); otherwise the console font's glyph of the character the
// code stands for in the cell's character set and code table, centred in
// the cell. A character the font lacks shows as a hollow box (the house
// of code 0x7F has a drawing of its own); without any
// font each cell shows its code as two stacked hex digits.
class CScreenPainter
{
public:
    static constexpr int kDotPitch = 4; // a dot and the gap after it
    static constexpr int kDotSize = 3;
    static constexpr int kCellGap = 8;
    static constexpr int kRowGap = 16;
    static constexpr int kMarginX = 24;
    static constexpr int kMarginTop = 22;
    static constexpr int kCellWidth = kCellDotsWide * kDotPitch;
    static constexpr int kCellHeight = kCellDotsHigh * kDotPitch;
    static constexpr int kMarkTop = kMarginTop + 2 * kCellHeight + kRowGap + 6;
    static constexpr int kMarkHeight = 6;
    static constexpr int kLegendTop = kMarkTop + kMarkHeight + 6;
    static constexpr int kWidth = 2 * kMarginX + kDisplayColumns * kCellWidth +
                                  (kDisplayColumns - 1) * kCellGap - (kDotPitch - kDotSize);
    static constexpr int kHeight = kLegendTop + 16 + 14;

    static constexpr CRgb kGlass{6, 10, 11};
    static constexpr CRgb kUnlit{14, 29, 28};
    static constexpr CRgb kLit{110, 255, 222}; // at full brightness

    // The font may be nullptr: the hex fallback.
    explicit CScreenPainter(const CConsoleFont* pFont) : m_pFont(pFont) {}

    // Left and top pixel of dot (x, y) of a cell.
    static int DotLeft(int nColumn, int x)
    {
        return kMarginX + nColumn * (kCellWidth + kCellGap) + x * kDotPitch;
    }
    static int DotTop(int nRow, int y)
    {
        return kMarginTop + nRow * (kCellHeight + kRowGap) + y * kDotPitch;
    }
    // The colour of a lit dot at the display's brightness, dimming and contrast.
    static CRgb LitColour(const CVirtualDisplay& display);
    // The gap between two lit neighbours in a cell, which glows a little.
    static CRgb GlowColour(CRgb lit);

    // The dots a cell lights, row by row (bit x of row y).
    std::array<std::uint8_t, kCellDotsHigh> CellDots(const CVirtualDisplay& display,
                                                     const CCell& cell) const;
    // The whole picture, kWidth x kHeight, on any canvas (a pixel buffer for
    // the PNG, a scaled one for the window).
    void Paint(const CVirtualDisplay& display, CCanvas& canvas, CPaintMoment moment = {}) const;
    // Whether a blinking screen is dark at a time since it started blinking.
    static bool BlinkDark(const CVirtualDisplay& display, long long nMilliseconds);
    // One cell of nWide x nHigh dots, its top-left dot at (nLeft, nTop): lit
    // dots, the glow between lit neighbours, unlit dots. vfdkit preview draws
    // the cells of glyphs of any size from a font file with it.
    static void PaintCell(CCanvas& canvas, int nLeft, int nTop, int nWide, int nHigh,
                          const std::function<bool(int x, int y)>& isLit, CRgb lit);

private:
    void PaintLegend(CCanvas& canvas, int x, const char* pszText, CRgb colour) const;

    const CConsoleFont* m_pFont;
};
