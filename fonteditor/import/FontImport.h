#pragma once

#include "FontSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Turns a font source into a font file in the display's layout (Glyph.h):
// glyph g of W x H receives the source's character for g, placed on a
// baseline row and a left column of the cell. Dots outside the cell are cut
// off, never wrapped, and the glyph is reported.
struct CImportOptions
{
    unsigned m_nWidth = 8;
    unsigned m_nHeight = 16;
    // Glyphs m_nFirst to m_nFirst + m_nCount - 1 are imported; the glyphs
    // before them stay blank, and the file ends after the last.
    std::uint32_t m_nFirst = 0;
    std::uint32_t m_nCount = 256;
    // The source code glyph m_nFirst receives (the next glyph the next
    // code); by default the glyph's own number.
    std::optional<std::uint32_t> m_nFromCode;
    // A code page (iconv's name, "CP437"): glyph g receives the character
    // that code page puts at byte g. Only single-byte places are taken.
    std::string m_strCodePage;
    // The cell row the baseline lies under (rows above it: 0 to m_nBaseline
    // - 1) and the cell column of the pen position. By default the font's
    // ascent and 0.
    std::optional<int> m_nBaseline;
    std::optional<int> m_nLeft;
    // Centre each glyph's advance across the cell and the font's line
    // (ascent and descent) down it; an explicit baseline or left wins.
    bool m_bCenter = false;
};

struct CImportReport
{
    std::string m_strSource;               // what the source is
    std::uint32_t m_nImported = 0;         // glyphs the source had
    std::vector<std::uint32_t> m_missing;  // glyph numbers the source has no character for
    std::vector<std::uint32_t> m_unmapped; // places the code page leaves empty
    std::vector<std::uint32_t> m_clipped;  // glyphs that lost dots outside the cell
};

// The font file's bytes, or nothing with the cause (a code page iconv does
// not know, options outside the cell).
std::optional<std::vector<std::uint8_t>> ImportFont(CFontSource& source,
                                                    const CImportOptions& options,
                                                    CImportReport& report, std::string& strError);

enum class EImportResult
{
    Done,
    SourceError, // the source cannot be read or is no usable font
    OptionError  // the options do not fit (an unknown code page, a geometry)
};

// A font file's bytes from a source file, as File > Import and vfdkit
// import make them: read (inflated, at most kMaxSourceBytes), opened,
// imported. Errors name the source file where it is at fault. The limit
// lets large outline fonts in and keeps a gzip bomb out.
inline constexpr std::size_t kMaxSourceBytes = 64u << 20;
EImportResult ImportFontFile(const std::string& strSource, const CSourceOptions& sourceOptions,
                             const CImportOptions& options, std::vector<std::uint8_t>& font,
                             CImportReport& report, std::string& strError);

// The characters a code page puts at bytes 0 to 255; 0 where it has none.
// Nothing when iconv does not know the name.
std::optional<std::vector<char32_t>> CodePageCharacters(const std::string& strCodePage);
