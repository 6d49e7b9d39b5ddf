#pragma once

#include "ConsoleFont.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A font to import glyphs from: a console font (PSF 1 or 2) read by
// CConsoleFont, or anything FreeType reads (BDF, PCF, TrueType, OpenType).
// Outline fonts are rendered at a pixel size with a threshold on the
// coverage; bitmap fonts give their own dots.
//
// Coordinates are the font's: x to the right of the pen position, y down
// from the baseline, so row -1 is the first row above it.

// Dots of one glyph: a box of rows from (m_nLeft, m_nTop).
struct CSourceGlyph
{
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nAdvance = 0;               // the pen's step to the next glyph
    std::vector<std::uint8_t> m_dots; // m_nWidth x m_nHeight, 1 = lit
    // Ink lies outside the box as well: the window asked for was smaller
    // than the glyph.
    bool m_bCut = false;

    bool Dot(int x, int y) const { return m_dots[static_cast<std::size_t>(y) * m_nWidth + x] != 0; }
};

// The area of the font's coordinates a caller wants dots for.
struct CSourceWindow
{
    int m_nLeft;
    int m_nTop;
    int m_nWidth;
    int m_nHeight;
};

struct CSourceOptions
{
    // Outline fonts: the pixel size (em height); 0 picks the largest size at
    // which the font's ascent and descent fit into nFitHeight rows.
    int m_nPixelSize = 0;
    int m_nFitHeight = 16;
    int m_nThreshold = 128; // coverage 0 to 255 at which an outline dot is lit
};

class CFontSource
{
public:
    virtual ~CFontSource() = default;

    // The source in bytes (already inflated); nothing, with the cause, when
    // it is no font these readers take or it is damaged.
    static std::unique_ptr<CFontSource> Open(std::span<const std::uint8_t> bytes,
                                             const CSourceOptions& options, std::string& strError);

    // What it is ("PSF 2, 8 x 16, 512 glyphs", "TrueType DejaVu Sans Mono at 13 px").
    const std::string& Describe() const { return m_strDescription; }
    // Rows above and below the baseline the font's lines take.
    int Ascent() const { return m_nAscent; }
    int Descent() const { return m_nDescent; }
    // Whether codes are Unicode characters (otherwise the font's own numbering).
    bool IsUnicode() const { return m_bUnicode; }
    // The glyph of a code, its dots limited to the window; nothing when the
    // font has no glyph for it.
    virtual std::optional<CSourceGlyph> Glyph(char32_t c, const CSourceWindow& window) = 0;

protected:
    // Set by each source once the font is read; fixed from then on.
    std::string m_strDescription;
    int m_nAscent = 0;
    int m_nDescent = 0;
    bool m_bUnicode = false;
};
