#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include <zlib.h>

// Reading sources the simple way, so expected glyphs come from the sources'
// own rows and never from the importer.
namespace fixtures
{
using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadGz(const std::string& strPath)
{
    Bytes bytes;
    const gzFile file = ::gzopen(strPath.c_str(), "rb");
    if (!file)
        return bytes;
    std::uint8_t buffer[4096];
    int nRead;
    while ((nRead = ::gzread(file, buffer, sizeof buffer)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + nRead);
    ::gzclose(file);
    return bytes;
}

// A glyph as rows of '#' and '.', the cell of the font file it lands in
// (W columns, H rows).
using Picture = std::vector<std::string>;

inline Picture Blank(unsigned nWidth, unsigned nHeight)
{
    return Picture(nHeight, std::string(nWidth, '.'));
}

// Glyph g of a font file as a picture, straight from the layout's rule:
// dot (x, y) is byte x + (y / 8) W, bit 7 - y % 8.
inline Picture FromFontFile(const Bytes& font, unsigned nWidth, unsigned nHeight, unsigned nGlyph)
{
    Picture picture = Blank(nWidth, nHeight);
    const std::size_t nBase = static_cast<std::size_t>(nGlyph) * nWidth * ((nHeight + 7) / 8);
    for (unsigned y = 0; y < nHeight; ++y)
        for (unsigned x = 0; x < nWidth; ++x)
            if (font.at(nBase + x + (y / 8) * nWidth) & (0x80 >> (y % 8)))
                picture[y][x] = '#';
    return picture;
}

// Sets a dot of a picture when it lies inside.
inline void Put(Picture& picture, int x, int y)
{
    if (y >= 0 && y < static_cast<int>(picture.size()) && x >= 0 &&
        x < static_cast<int>(picture[0].size()))
        picture[y][x] = '#';
}

// A PSF 1 console font: its glyph rows and its table (first character only).
struct CPsf1
{
    int m_nHeight = 0;
    Bytes m_rows;
    std::map<char32_t, int> m_glyphOf;

    explicit CPsf1(const Bytes& b)
    {
        m_nHeight = b.at(3);
        const int nGlyphs = (b.at(2) & 1) ? 512 : 256;
        m_rows.assign(b.begin() + 4, b.begin() + 4 + nGlyphs * m_nHeight);
        std::size_t nAt = 4 + static_cast<std::size_t>(nGlyphs) * m_nHeight;
        for (int g = 0; g < nGlyphs && nAt + 1 < b.size(); ++g)
            for (bool bSequence = false;;)
            {
                const char32_t c = b[nAt] | b[nAt + 1] << 8;
                nAt += 2;
                if (c == 0xFFFF)
                    break;
                bSequence = bSequence || c == 0xFFFE;
                if (!bSequence)
                    m_glyphOf.emplace(c, g);
            }
    }

    // Glyph of c at the cell's top left.
    Picture Expected(char32_t c, unsigned nWidth, unsigned nHeight, int nTop = 0) const
    {
        Picture picture = Blank(nWidth, nHeight);
        const int g = m_glyphOf.at(c);
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < 8; ++x)
                if (m_rows[g * m_nHeight + y] & (0x80 >> x))
                    Put(picture, x, y + nTop);
        return picture;
    }
};

// A BDF glyph: the hex rows and its box, as the file gives them.
struct CBdfGlyph
{
    int m_nEncoding = -1;
    int m_nWidth = 0, m_nHeight = 0, m_nOffsetX = 0, m_nOffsetY = 0;
    std::vector<std::string> m_rows;
};

inline std::map<int, CBdfGlyph> ParseBdf(const std::string& strText, int& nAscent)
{
    std::map<int, CBdfGlyph> glyphs;
    std::istringstream in(strText);
    std::string strLine;
    CBdfGlyph glyph;
    bool bInBitmap = false;
    while (std::getline(in, strLine))
    {
        std::istringstream words(strLine);
        std::string strKey;
        words >> strKey;
        if (strKey == "FONT_ASCENT")
            words >> nAscent;
        else if (strKey == "ENCODING")
            words >> glyph.m_nEncoding;
        else if (strKey == "BBX")
            words >> glyph.m_nWidth >> glyph.m_nHeight >> glyph.m_nOffsetX >> glyph.m_nOffsetY;
        else if (strKey == "BITMAP")
            bInBitmap = true;
        else if (strKey == "ENDCHAR")
        {
            glyphs[glyph.m_nEncoding] = glyph;
            glyph = {};
            bInBitmap = false;
        }
        else if (bInBitmap)
            glyph.m_rows.push_back(strKey);
    }
    return glyphs;
}

// A BDF glyph placed with its origin at (nLeft, nBaseline) of the cell:
// its top row nHeight + nOffsetY rows above the baseline.
inline Picture Expected(const CBdfGlyph& glyph, unsigned nWidth, unsigned nHeight, int nBaseline,
                        int nLeft)
{
    Picture picture = Blank(nWidth, nHeight);
    for (int y = 0; y < glyph.m_nHeight; ++y)
    {
        const unsigned long nBits = std::stoul(glyph.m_rows[y], nullptr, 16);
        const int nBitsInRow = static_cast<int>(glyph.m_rows[y].size()) * 4;
        for (int x = 0; x < glyph.m_nWidth; ++x)
            if (nBits & (1ul << (nBitsInRow - 1 - x)))
                Put(picture, nLeft + glyph.m_nOffsetX + x,
                    nBaseline - (glyph.m_nHeight + glyph.m_nOffsetY) + y);
    }
    return picture;
}

// A small BDF font: "A" within the box, "W" wider than an 8-dot cell, "g"
// below the baseline, "." with an offset. Ascent 7, descent 2.
inline const char* kBdf = R"(STARTFONT 2.1
FONT -test-tiny-medium-r-normal--9-90-75-75-c-80-iso10646-1
SIZE 9 75 75
FONTBOUNDINGBOX 12 9 0 -2
STARTPROPERTIES 4
FONT_ASCENT 7
FONT_DESCENT 2
CHARSET_REGISTRY "ISO10646"
CHARSET_ENCODING "1"
ENDPROPERTIES
CHARS 4
STARTCHAR A
ENCODING 65
SWIDTH 666 0
DWIDTH 6 0
BBX 5 7 0 0
BITMAP
20
50
88
88
F8
88
88
ENDCHAR
STARTCHAR W
ENCODING 87
SWIDTH 1000 0
DWIDTH 12 0
BBX 12 5 0 0
BITMAP
8010
8010
4420
2A40
1180
ENDCHAR
STARTCHAR g
ENCODING 103
SWIDTH 666 0
DWIDTH 6 0
BBX 4 6 1 -2
BITMAP
70
90
90
70
10
E0
ENDCHAR
STARTCHAR period
ENCODING 46
SWIDTH 666 0
DWIDTH 6 0
BBX 2 2 2 0
BITMAP
C0
C0
ENDCHAR
ENDFONT
)";
} // namespace fixtures
