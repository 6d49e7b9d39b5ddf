#pragma once

#include <array>
#include <cstdint>

// The characters the pictures show: the display's own 5 x 7 dot matrix for
// the sample texts, and a 3 x 5 face for the small print on the housings.
// Each row from the top is a bit mask, the leftmost column in the highest of
// the glyph's bits. Characters without a glyph are blank.
using CDotGlyph = std::array<std::uint8_t, 7>;
using CSmallGlyph = std::array<std::uint8_t, 5>;

const CDotGlyph& DotGlyph(char c);
const CSmallGlyph& SmallGlyph(char c);
