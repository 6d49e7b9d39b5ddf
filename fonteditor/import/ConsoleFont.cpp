#include "ConsoleFont.h"

#include "SourceFile.h"

namespace
{
constexpr std::size_t kMaxFileBytes = 8u << 20;

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t nAt)
{
    return b[nAt] | b[nAt + 1] << 8 | b[nAt + 2] << 16 |
           static_cast<std::uint32_t>(b[nAt + 3]) << 24;
}

// One UTF-8 character from nAt; 0 (and nAt past the bytes) when malformed.
char32_t ReadUtf8(const std::vector<std::uint8_t>& b, std::size_t& nAt, std::size_t nEnd)
{
    const std::uint8_t n0 = b[nAt++];
    int nMore = n0 < 0x80             ? 0
                : (n0 & 0xE0) == 0xC0 ? 1
                : (n0 & 0xF0) == 0xE0 ? 2
                : (n0 & 0xF8) == 0xF0 ? 3
                                      : -1;
    if (nMore < 0)
        return 0;
    char32_t c = nMore == 0 ? n0 : n0 & (0x3F >> nMore);
    for (; nMore > 0; --nMore)
    {
        if (nAt >= nEnd || (b[nAt] & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (b[nAt++] & 0x3F);
    }
    return c;
}
} // namespace

std::optional<CConsoleFont> CConsoleFont::Load(const std::string& strPath, std::string& strError)
{
    const auto bytes = ReadFontSourceFile(strPath, kMaxFileBytes, strError);
    if (!bytes)
        return std::nullopt;
    auto font = Parse(*bytes, strError);
    if (!font)
        strError = strPath + ": " + strError;
    return font;
}

std::optional<CConsoleFont> CConsoleFont::Parse(const std::vector<std::uint8_t>& bytes,
                                                std::string& strError)
{
    if (bytes.size() >= 4 && bytes[0] == 0x36 && bytes[1] == 0x04)
        return ParsePsf1(bytes, strError);
    if (bytes.size() >= 32 && Le32(bytes, 0) == 0x864AB572)
        return ParsePsf2(bytes, strError);
    strError = "not a console font (PSF)";
    return std::nullopt;
}

std::optional<CConsoleFont> CConsoleFont::ParsePsf1(const std::vector<std::uint8_t>& bytes,
                                                    std::string& strError)
{
    CConsoleFont font;
    const std::uint8_t nMode = bytes[2];
    font.m_nWidth = 8;
    font.m_nHeight = bytes[3];
    font.m_nRowBytes = 1;
    font.m_nGlyphs = (nMode & 0x01) ? 512 : 256;
    const std::size_t nBitmapBytes = font.m_nGlyphs * font.m_nHeight;
    if (font.m_nHeight == 0 || 4 + nBitmapBytes > bytes.size())
    {
        strError = "the font is cut short";
        return std::nullopt;
    }
    font.m_bitmaps.assign(bytes.begin() + 4,
                          bytes.begin() + 4 + static_cast<std::ptrdiff_t>(nBitmapBytes));
    if (nMode & 0x06)
    {
        // Per glyph: 16-bit characters, FFFE before sequences, FFFF at the end.
        font.m_bHasTable = true;
        std::size_t nAt = 4 + nBitmapBytes;
        for (std::size_t nGlyph = 0; nGlyph < font.m_nGlyphs && nAt + 1 < bytes.size(); ++nGlyph)
        {
            bool bSequences = false;
            while (nAt + 1 < bytes.size())
            {
                const char32_t c = bytes[nAt] | bytes[nAt + 1] << 8;
                nAt += 2;
                if (c == 0xFFFF)
                    break;
                if (c == 0xFFFE)
                    bSequences = true;
                else if (!bSequences)
                    font.m_unicode.emplace(c, static_cast<int>(nGlyph));
            }
        }
    }
    return font;
}

std::optional<CConsoleFont> CConsoleFont::ParsePsf2(const std::vector<std::uint8_t>& bytes,
                                                    std::string& strError)
{
    CConsoleFont font;
    const std::uint32_t nHeaderSize = Le32(bytes, 8);
    const std::uint32_t nFlags = Le32(bytes, 12);
    const std::uint32_t nGlyphs = Le32(bytes, 16);
    const std::uint32_t nGlyphBytes = Le32(bytes, 20);
    const std::uint32_t nHeight = Le32(bytes, 24);
    const std::uint32_t nWidth = Le32(bytes, 28);
    if (nWidth == 0 || nWidth > 64 || nHeight == 0 || nHeight > 64 || nGlyphs == 0 ||
        nGlyphs > 65536 || nHeaderSize < 32 || nGlyphBytes != nHeight * ((nWidth + 7) / 8))
    {
        strError = "the font's header makes no sense";
        return std::nullopt;
    }
    const std::size_t nBitmapBytes = static_cast<std::size_t>(nGlyphs) * nGlyphBytes;
    if (nHeaderSize > bytes.size() || nBitmapBytes > bytes.size() - nHeaderSize)
    {
        strError = "the font is cut short";
        return std::nullopt;
    }
    font.m_nWidth = static_cast<int>(nWidth);
    font.m_nHeight = static_cast<int>(nHeight);
    font.m_nGlyphs = nGlyphs;
    font.m_nRowBytes = (nWidth + 7) / 8;
    const auto first = bytes.begin() + nHeaderSize;
    font.m_bitmaps.assign(first, first + static_cast<std::ptrdiff_t>(nBitmapBytes));
    if (nFlags & 0x01)
    {
        // Per glyph: UTF-8 characters, FE before sequences, FF at the end.
        font.m_bHasTable = true;
        std::size_t nAt = nHeaderSize + nBitmapBytes;
        for (std::size_t nGlyph = 0; nGlyph < nGlyphs && nAt < bytes.size(); ++nGlyph)
        {
            bool bSequences = false;
            while (nAt < bytes.size())
            {
                if (bytes[nAt] == 0xFF)
                {
                    ++nAt;
                    break;
                }
                if (bytes[nAt] == 0xFE)
                {
                    bSequences = true;
                    ++nAt;
                    continue;
                }
                const char32_t c = ReadUtf8(bytes, nAt, bytes.size());
                if (!bSequences && c)
                    font.m_unicode.emplace(c, static_cast<int>(nGlyph));
            }
        }
    }
    return font;
}

int CConsoleFont::GlyphOf(char32_t c) const
{
    if (!m_bHasTable)
        return c < 128 && c < m_nGlyphs ? static_cast<int>(c) : -1;
    const auto it = m_unicode.find(c);
    return it == m_unicode.end() ? -1 : it->second;
}

bool CConsoleFont::Dot(int nGlyph, int x, int y) const
{
    if (nGlyph < 0 || static_cast<std::size_t>(nGlyph) >= m_nGlyphs || x < 0 || y < 0 ||
        x >= m_nWidth || y >= m_nHeight)
        return false;
    const std::size_t nAt =
        (static_cast<std::size_t>(nGlyph) * m_nHeight + y) * m_nRowBytes + x / 8;
    return (m_bitmaps[nAt] & (0x80 >> (x % 8))) != 0;
}
