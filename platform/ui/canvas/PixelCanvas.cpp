#include "PixelCanvas.h"

#include "LabelFont.h"
#include "PngEncoder.h"

#include <algorithm>
#include <cstdlib>

CPixelCanvas::CPixelCanvas(int nWidth, int nHeight, CRgb background)
    : m_nWidth(std::max(nWidth, 0)), m_nHeight(std::max(nHeight, 0)),
      m_rgb(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight) * 3)
{
    FillRect(0, 0, m_nWidth, m_nHeight, background);
}

void CPixelCanvas::FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour)
{
    // Single pixels are the bulk of a page of small-scale glyphs.
    if (nRight - nLeft == 1 && nBottom - nTop == 1)
    {
        SetPixel(nLeft, nTop, colour);
        return;
    }
    nLeft = std::max(nLeft, 0);
    nTop = std::max(nTop, 0);
    nRight = std::min(nRight, m_nWidth);
    nBottom = std::min(nBottom, m_nHeight);
    if (nLeft >= nRight || nTop >= nBottom)
        return;
    const std::size_t nStride = static_cast<std::size_t>(m_nWidth) * 3;
    std::uint8_t* pFirstRow = m_rgb.data() + static_cast<std::size_t>(nTop) * nStride +
                              static_cast<std::size_t>(nLeft) * 3;
    const std::size_t nRowBytes = static_cast<std::size_t>(nRight - nLeft) * 3;
    for (std::size_t i = 0; i < nRowBytes; i += 3)
    {
        pFirstRow[i] = colour.m_r;
        pFirstRow[i + 1] = colour.m_g;
        pFirstRow[i + 2] = colour.m_b;
    }
    for (int y = nTop + 1; y < nBottom; ++y)
        std::copy_n(pFirstRow, nRowBytes, pFirstRow + static_cast<std::size_t>(y - nTop) * nStride);
}

void CPixelCanvas::Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour)
{
    nWidth = std::max(nWidth, 1);
    const int nBefore = nWidth / 2;
    if (x0 == x1 || y0 == y1)
    {
        if (x0 == x1 && y0 == y1)
            return; // the end point is excluded, and it is the only point
        if (x0 == x1)
        {
            // Vertical: the rows from y0 toward y1, y1 excluded.
            const int nTop = y0 < y1 ? y0 : y1 + 1;
            const int nBottom = y0 < y1 ? y1 : y0 + 1;
            FillRect(x0 - nBefore, nTop, x0 - nBefore + nWidth, nBottom, colour);
        }
        else
        {
            const int nLeft = x0 < x1 ? x0 : x1 + 1;
            const int nRight = x0 < x1 ? x1 : x0 + 1;
            FillRect(nLeft, y0 - nBefore, nRight, y0 - nBefore + nWidth, colour);
        }
        return;
    }

    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int nError = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1)
    {
        FillRect(x - nBefore, y - nBefore, x - nBefore + nWidth, y - nBefore + nWidth, colour);
        const int e2 = 2 * nError;
        if (e2 >= dy)
        {
            nError += dy;
            x += sx;
        }
        if (e2 <= dx)
        {
            nError += dx;
            y += sy;
        }
    }
}

void CPixelCanvas::Text(int x, int y, const std::string& strText, CRgb colour)
{
    for (const char c : strText)
    {
        const CLabelGlyph& glyph = LabelGlyph(c);
        for (int row = 0; row < kLabelGlyphHeight; ++row)
            for (int col = 0; col < kLabelGlyphWidth; ++col)
                if (glyph[row] & (0x10 >> col))
                    SetPixel(x + col, y + row, colour);
        x += kLabelAdvance;
    }
}

CRgb CPixelCanvas::SystemColour(ESystemColour which) const
{
    return which == ESystemColour::Highlight ? m_highlight : m_buttonShadow;
}

CRgb CPixelCanvas::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return kUnpainted;
    const std::size_t i = (static_cast<std::size_t>(y) * m_nWidth + x) * 3;
    return CRgb{m_rgb[i], m_rgb[i + 1], m_rgb[i + 2]};
}

bool CPixelCanvas::WritePng(const std::string& strPath, std::string* pError) const
{
    return ::WritePng(strPath, m_nWidth, m_nHeight, m_rgb.data(), pError);
}
