#include "GlyphGrid.h"

#include <algorithm>
#include <cstring>

void CGlyphGrid::SetGlyphSize(unsigned nWidth, unsigned nHeight)
{
    m_glyph.m_nWidth = nWidth;
    m_glyph.m_nHeight = nHeight;
    Repaint();
}

void CGlyphGrid::LoadGlyph(std::uint32_t nCode, const std::uint8_t* pSource)
{
    m_glyph.m_nCode = nCode;
    std::memcpy(m_glyph.m_bits.data(), pSource, std::min(m_glyph.Bytes(), CGlyph::kMaxBytes));
    m_bModified = 0;
    Repaint();
}

unsigned CGlyphGrid::CellsPerSide() const
{
    return std::max(m_glyph.m_nWidth, m_glyph.m_nHeight);
}

void CGlyphGrid::OnPaint(CCanvas& canvas) const
{
    const CClientSize client = m_host.GetClientSize();
    canvas.FillRect(0, 0, client.m_nWidth, client.m_nHeight, kWhite);
    const int n = static_cast<int>(CellsPerSide());
    if (n == 0)
        return;
    const int cw = client.m_nWidth / n;
    const int ch = client.m_nHeight / n;

    for (unsigned y = 0; y < m_glyph.m_nHeight; ++y)
        for (unsigned x = 0; x < m_glyph.m_nWidth; ++x)
            if (m_glyph.GetPixel(x, y))
            {
                const int nx = static_cast<int>(x);
                const int ny = static_cast<int>(y);
                canvas.FillRect(nx * cw, ny * ch, (nx + 1) * cw, (ny + 1) * ch, kBlack);
            }

    // A heavier line after every 8th cell marks the byte bands and groups.
    const CRgb shadow = canvas.SystemColour(ESystemColour::ButtonShadow);
    for (int i = 0; i <= n - 2; ++i)
    {
        const bool bBand = i % 8 == 7;
        canvas.Line((i + 1) * cw, 0, (i + 1) * cw, client.m_nHeight, bBand ? 2 : 1,
                    bBand ? kBlack : shadow);
    }
    for (int i = 0; i <= n - 2; ++i)
    {
        const bool bBand = i % 8 == 7;
        canvas.Line(0, (i + 1) * ch, client.m_nWidth, (i + 1) * ch, bBand ? 2 : 1,
                    bBand ? kBlack : shadow);
    }
}

void CGlyphGrid::OnLButtonUp(int x, int y)
{
    const CClientSize client = m_host.GetClientSize();
    const int n = static_cast<int>(CellsPerSide());
    // A client area smaller than the grid has no cells to hit.
    if (n == 0 || client.m_nWidth < n || client.m_nHeight < n || x < 0 || y < 0)
        return;
    const unsigned nColumn = static_cast<unsigned>(x / (client.m_nWidth / n));
    const unsigned nRow = static_cast<unsigned>(y / (client.m_nHeight / n));
    if (nColumn >= m_glyph.m_nWidth || nRow >= m_glyph.m_nHeight)
        return;
    m_glyph.SetPixel(nColumn, nRow, !m_glyph.GetPixel(nColumn, nRow));
    m_bModified = 1;
    Repaint();
    m_parent.SendMessage(WM_PIXELTOGGLED, nColumn, nRow);
}
