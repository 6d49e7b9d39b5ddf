#pragma once

#include <cstdint>

// The display's two character areas hold their user font in pages of 16
// glyphs: area 0 (0x20 to 0x7F) has 6 pages, area 1 (0x80 to 0xFF) 8.
inline constexpr std::uint32_t FontAreaPages(std::uint32_t nArea)
{
    return nArea == 0 ? 6 : 8;
}
