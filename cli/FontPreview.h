#pragma once

#include "PixelCanvas.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A font file shown as the display would show a text in it: 20 columns, 2
// lines, each cell the glyph of its code in the font's geometry, drawn dot
// by dot by the virtual display's painter in its colours.

inline constexpr int kPreviewColumns = 20;
inline constexpr int kPreviewLines = 2;
inline constexpr std::uint32_t kLineBreak = 0xFFFFFFFF;

// The codes of a UTF-8 text: each character's code point, or with a code
// page (iconv's name) the byte it has there, '?' for a character it lacks.
// A line feed is kLineBreak. Nothing when the code page is unknown.
std::optional<std::vector<std::uint32_t>>
TextCodes(const std::string& strText, const std::string& strCodePage, std::string& strError);

// The cells as the display fills them: a line after another, 20 codes
// each, a line break starting the second; blank cells are empty. bCut is
// set when the text does not fit.
using CPreviewScreen =
    std::array<std::array<std::optional<std::uint32_t>, kPreviewColumns>, kPreviewLines>;
CPreviewScreen LayOutText(const std::vector<std::uint32_t>& codes, bool& bCut);

class CFontPreview
{
public:
    CFontPreview(std::span<const std::uint8_t> font, unsigned nWidth, unsigned nHeight)
        : m_font(font), m_nWidth(nWidth), m_nHeight(nHeight)
    {
    }

    // Whether dot (x, y) of the glyph of a code is lit; codes past the
    // font's last glyph are blank.
    bool Dot(std::uint32_t nCode, int x, int y) const;

    // The picture at nScale pixels for each of the painter's.
    CPixelCanvas Paint(const CPreviewScreen& screen, int nScale) const;
    // The same for a terminal: two dot rows to a text line in block
    // characters (UTF-8), a blank column between cells, a blank line
    // between the lines.
    std::string Text(const CPreviewScreen& screen) const;

private:
    std::span<const std::uint8_t> m_font;
    unsigned m_nWidth;
    unsigned m_nHeight;
};
