#pragma once

#include <array>
#include <cstdint>
#include <string>

// The pixel canvas's own font: 5 x 7 pixel glyphs on a 6-pixel advance,
// enough for the hexadecimal labels the controls draw. Letters a to f draw
// as A to F, a space as nothing; any other character draws as a hollow box so
// that it stands out in a snapshot instead of vanishing.
inline constexpr int kLabelGlyphWidth = 5;
inline constexpr int kLabelGlyphHeight = 7;
inline constexpr int kLabelAdvance = 6;

// Seven rows from the top; in each, bit 4 is the leftmost column.
using CLabelGlyph = std::array<std::uint8_t, kLabelGlyphHeight>;

const CLabelGlyph& LabelGlyph(char c);

// Width in pixels of a text drawn in this font, the last advance's spacing
// included.
inline int LabelTextWidth(const std::string& strText)
{
    return static_cast<int>(strText.size()) * kLabelAdvance;
}
