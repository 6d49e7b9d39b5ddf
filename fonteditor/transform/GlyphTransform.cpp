#include "GlyphTransform.h"

#include <charconv>
#include <cstring>

namespace
{
// A copy of the dots to read from while the glyph is rewritten.
CGlyph Cleared(const CGlyph& glyph)
{
    CGlyph empty = glyph;
    empty.m_bits.fill(0);
    return empty;
}

std::optional<std::uint32_t> ParseNumber(std::string_view text)
{
    int nBase = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    {
        text.remove_prefix(2);
        nBase = 16;
    }
    std::uint32_t n = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), n, nBase);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return n;
}
} // namespace

void InvertGlyph(CGlyph& glyph)
{
    for (unsigned y = 0; y < glyph.m_nHeight; ++y)
        for (unsigned x = 0; x < glyph.m_nWidth; ++x)
            glyph.SetPixel(x, y, !glyph.GetPixel(x, y));
}

void FlipGlyphHorizontally(CGlyph& glyph)
{
    CGlyph out = Cleared(glyph);
    for (unsigned y = 0; y < glyph.m_nHeight; ++y)
        for (unsigned x = 0; x < glyph.m_nWidth; ++x)
            out.SetPixel(glyph.m_nWidth - 1 - x, y, glyph.GetPixel(x, y));
    glyph = out;
}

void FlipGlyphVertically(CGlyph& glyph)
{
    CGlyph out = Cleared(glyph);
    for (unsigned y = 0; y < glyph.m_nHeight; ++y)
        for (unsigned x = 0; x < glyph.m_nWidth; ++x)
            out.SetPixel(x, glyph.m_nHeight - 1 - y, glyph.GetPixel(x, y));
    glyph = out;
}

void ShiftGlyph(CGlyph& glyph, int nRight, int nDown)
{
    CGlyph out = Cleared(glyph);
    const int nWidth = static_cast<int>(glyph.m_nWidth);
    const int nHeight = static_cast<int>(glyph.m_nHeight);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
        {
            const long long nToX = static_cast<long long>(x) + nRight;
            const long long nToY = static_cast<long long>(y) + nDown;
            if (nToX >= 0 && nToX < nWidth && nToY >= 0 && nToY < nHeight &&
                glyph.GetPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)))
                out.SetPixel(static_cast<unsigned>(nToX), static_cast<unsigned>(nToY), 1);
        }
    glyph = out;
}

void EmboldenGlyph(CGlyph& glyph)
{
    const CGlyph before = glyph;
    for (unsigned y = 0; y < glyph.m_nHeight; ++y)
        for (unsigned x = 1; x < glyph.m_nWidth; ++x)
            if (before.GetPixel(x - 1, y))
                glyph.SetPixel(x, y, 1);
}

void CGlyphTransform::Apply(CGlyph& glyph) const
{
    if (m_nShiftX || m_nShiftY)
        ShiftGlyph(glyph, m_nShiftX, m_nShiftY);
    if (m_bFlipH)
        FlipGlyphHorizontally(glyph);
    if (m_bFlipV)
        FlipGlyphVertically(glyph);
    if (m_bBold)
        EmboldenGlyph(glyph);
    if (m_bInvert)
        InvertGlyph(glyph);
}

void CGlyphTransformStep::Apply(CGlyph& glyph, int& nModified, const CGlyphTransform& transform)
{
    m_before = glyph;
    m_nModifiedBefore = nModified;
    m_bHasStep = true;
    transform.Apply(glyph);
    nModified = 1;
}

bool CGlyphTransformStep::Undo(CGlyph& glyph, int& nModified)
{
    // Only onto the glyph it was taken from: a geometry applied since makes
    // the step meaningless.
    if (!m_bHasStep || glyph.m_nCode != m_before.m_nCode || glyph.m_nWidth != m_before.m_nWidth ||
        glyph.m_nHeight != m_before.m_nHeight)
    {
        m_bHasStep = false;
        return false;
    }
    glyph = m_before;
    nModified = m_nModifiedBefore;
    m_bHasStep = false;
    return true;
}

std::uint32_t TransformFont(std::span<std::uint8_t> font, unsigned nWidth, unsigned nHeight,
                            std::uint32_t nFirst, std::uint32_t nLast,
                            const CGlyphTransform& transform)
{
    const unsigned nGlyphBytes = GlyphBytes(nWidth, nHeight);
    const std::uint32_t nCount = GlyphCount(font.size(), nGlyphBytes);
    if (nCount == 0 || nFirst >= nCount || nFirst > nLast)
        return 0;
    if (nLast >= nCount)
        nLast = nCount - 1;
    CGlyph glyph;
    glyph.m_nWidth = nWidth;
    glyph.m_nHeight = nHeight;
    for (std::uint32_t nCode = nFirst; nCode <= nLast; ++nCode)
    {
        std::uint8_t* pBits = font.data() + static_cast<std::size_t>(nCode) * nGlyphBytes;
        glyph.m_bits.fill(0);
        std::memcpy(glyph.m_bits.data(), pBits, nGlyphBytes);
        transform.Apply(glyph);
        std::memcpy(pBits, glyph.m_bits.data(), nGlyphBytes);
    }
    return nLast - nFirst + 1;
}

std::optional<std::pair<std::uint32_t, std::uint32_t>> ParseGlyphRange(const std::string& strText)
{
    const auto nDash = strText.find('-');
    const auto first = ParseNumber(std::string_view(strText).substr(0, nDash));
    if (!first)
        return std::nullopt;
    if (nDash == std::string::npos)
        return std::pair{*first, *first};
    const std::string_view rest = std::string_view(strText).substr(nDash + 1);
    const auto last = rest.empty() ? std::optional<std::uint32_t>(0xFFFFFFFFu) : ParseNumber(rest);
    if (!last || *last < *first)
        return std::nullopt;
    return std::pair{*first, *last};
}
