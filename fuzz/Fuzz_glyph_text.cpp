// The glyph text form the editor's text box and the clipboard carry: any
// text read into a glyph of any geometry, and the round trips through it.
#include "Glyph.h"

#include <string>

namespace
{
// No byte of the bitmap outside the glyph's rows and columns is ever lit.
bool OnlyInside(const CGlyph& glyph)
{
    CGlyph inside = glyph;
    inside.m_bits.fill(0);
    for (unsigned y = 0; y < glyph.m_nHeight; ++y)
        for (unsigned x = 0; x < glyph.m_nWidth; ++x)
            inside.SetPixel(x, y, glyph.GetPixel(x, y));
    return inside.m_bits == glyph.m_bits;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize < 1)
        return 0;
    // The first byte picks the geometry (0 to 15 columns over 8, 1 to 32
    // rows), the rest is the text.
    CGlyph glyph;
    glyph.m_nWidth = 1 + (pData[0] & 0x0F) * 2 + (pData[0] >> 7);
    glyph.m_nHeight = 1 + ((pData[0] >> 4) & 0x07) * 4 + (pData[0] >> 7) * 3;
    const std::string strText(reinterpret_cast<const char*>(pData + 1), nSize - 1);

    glyph.FromText(strText);
    if (!OnlyInside(glyph))
        __builtin_trap();
    // The text the glyph gives reads back as the same glyph, and has one
    // line per row, each of the width plus a space per group of 8.
    std::string strForm;
    glyph.ToText(strForm);
    const std::size_t nLine = glyph.m_nWidth + (glyph.m_nWidth - 1) / 8 + 2;
    if (strForm.size() != nLine * glyph.m_nHeight)
        __builtin_trap();
    CGlyph again = glyph;
    again.FromText(strForm);
    if (again != glyph)
        __builtin_trap();

    // The input's bits as a bitmap: its text form brings back every dot.
    CGlyph dots = glyph;
    dots.m_bits.fill(0);
    for (unsigned y = 0; y < dots.m_nHeight; ++y)
        for (unsigned x = 0; x < dots.m_nWidth; ++x)
        {
            const std::size_t nBit = y * dots.m_nWidth + x;
            if (1 + nBit / 8 < nSize)
                dots.SetPixel(x, y, pData[1 + nBit / 8] >> (nBit % 8) & 1);
        }
    dots.ToText(strForm);
    again.FromText(strForm);
    if (again != dots)
        __builtin_trap();
    return 0;
}
