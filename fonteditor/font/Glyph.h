#pragma once

#include <array>
#include <cstdint>
#include <string>

// A font file is a headerless run of glyph bitmaps of one geometry; the glyph
// with code c sits at offset c * GlyphBytes(W, H). Bitmaps are vertical
// column bytes: bands of 8 rows from the top, one byte per column from the
// left, bit 7 the band's top row.
//
// Heights that are not a multiple of 8 keep every row: the last band is
// partly used. This gives the classic sizes for 8, 12, 16, 24 and 32 and
// stores all rows of a 7-row or 20-row font too.
constexpr unsigned GlyphBytes(unsigned nWidth, unsigned nHeight)
{
    return nWidth * ((nHeight + 7) / 8);
}

// Glyphs in a file of nLength bytes; bytes after the last whole glyph are no glyph.
constexpr std::uint32_t GlyphCount(std::uint64_t nLength, unsigned nGlyphBytes)
{
    return nGlyphBytes == 0 ? 0 : static_cast<std::uint32_t>(nLength / nGlyphBytes);
}

// Index of the last page of 256 glyphs; a font without glyphs still has page 0.
constexpr std::uint32_t LastPageIndex(std::uint32_t nGlyphCount)
{
    return nGlyphCount == 0 ? 0 : (nGlyphCount - 1) / 256;
}

// A page buffer holds 256 of the largest glyphs, so change-list entries of
// any geometry land inside it.
inline constexpr unsigned kPageBufferBytes = 256 * 128;

// Editor messages from the custom controls to their parent.
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_SELECTGLYPH = WM_USER + 1;  // wParam column, lParam row
inline constexpr unsigned WM_PIXELTOGGLED = WM_USER + 2; // wParam x, lParam y

// One glyph in memory. A value type: copies copy every field.
class CGlyph
{
public:
    static constexpr unsigned kMaxBytes = 128; // 32 x 32
    static constexpr unsigned kMaxSide = 32;

    std::uint32_t m_nWidth = 16;
    std::uint32_t m_nHeight = 16;
    std::uint32_t m_nCode = 0;
    std::array<std::uint8_t, kMaxBytes> m_bits{};

    unsigned Bytes() const { return GlyphBytes(m_nWidth, m_nHeight); }

    // Pixel (x, y) of a bitmap laid out with this glyph's width. Callers keep
    // x < width and y < height; nothing is checked here.
    int GetPixel(unsigned x, unsigned y, const std::uint8_t* pData) const;
    void SetPixel(unsigned x, unsigned y, int nOn, std::uint8_t* pData) const;
    int GetPixel(unsigned x, unsigned y) const { return GetPixel(x, y, m_bits.data()); }
    void SetPixel(unsigned x, unsigned y, int nOn) { SetPixel(x, y, nOn, m_bits.data()); }

    // The text form: one line per row, "1" lit and "0" dark, a space after
    // every 8 columns but the last, CR LF after every row. The clipboard
    // carries the same text.
    void ToText(std::string& strText) const;
    // Rebuilds the bitmap from text in that form. Lenient, never fails:
    // anything but "0", space, CR and LF lights a pixel; surplus columns and
    // lines are ignored, missing ones stay dark.
    void FromText(const std::string& strText);

    bool operator==(const CGlyph&) const = default;
};
