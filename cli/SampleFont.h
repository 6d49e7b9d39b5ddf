#pragma once

#include <cstdint>
#include <vector>

// A font file to try the tools with: nGlyphs glyphs of nWidth x nHeight in
// the editor's format, the printable ASCII characters (0x20 to 0x7E) drawn
// from a small built-in 5 x 7 font, scaled by whole pixels to the glyph and
// centred in it; every other glyph empty.
std::vector<std::uint8_t> MakeSampleFont(unsigned nWidth, unsigned nHeight, std::uint32_t nGlyphs);
