#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// A Linux console font (PSF version 1 or 2, gzip-compressed or not): the
// virtual display's own character set. Glyphs are found by Unicode
// character through the font's table; a font without one serves ASCII by
// position.
class CConsoleFont
{
public:
    // Where the console-setup package puts a VGA-style 8 x 16 font.
    static constexpr const char* kDefaultPath = "/usr/share/consolefonts/Uni1-VGA16.psf.gz";

    // Nothing, with the cause naming the file, when the file cannot be read
    // or is no console font.
    static std::optional<CConsoleFont> Load(const std::string& strPath, std::string& strError);
    static std::optional<CConsoleFont> Parse(const std::vector<std::uint8_t>& bytes,
                                             std::string& strError);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    std::size_t GlyphCount() const { return m_nGlyphs; }
    // Whether the font maps Unicode characters to its glyphs.
    bool HasTable() const { return m_bHasTable; }
    // The glyph showing c, or -1.
    int GlyphOf(char32_t c) const;
    bool Dot(int nGlyph, int x, int y) const;

private:
    static std::optional<CConsoleFont> ParsePsf1(const std::vector<std::uint8_t>& bytes,
                                                 std::string& strError);
    static std::optional<CConsoleFont> ParsePsf2(const std::vector<std::uint8_t>& bytes,
                                                 std::string& strError);

    int m_nWidth = 0;
    int m_nHeight = 0;
    std::size_t m_nGlyphs = 0;
    std::size_t m_nRowBytes = 0;
    std::vector<std::uint8_t> m_bitmaps; // rows from the top, bit 7 leftmost
    std::unordered_map<char32_t, int> m_unicode;
    bool m_bHasTable = false;
};
