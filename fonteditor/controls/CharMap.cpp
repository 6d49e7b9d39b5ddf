#include "CharMap.h"

#include <cstdio>
#include <cstring>
#include <string>

void CCharMap::SetGlyphSize(unsigned nWidth, unsigned nHeight)
{
    m_glyph.m_nWidth = nWidth;
    m_glyph.m_nHeight = nHeight;
    m_nFirstCode = 0;
    Repaint();
}

std::uint8_t* CCharMap::GetCell(int nColumn, int nRow)
{
    return m_pageBits.data() +
           std::size_t{m_glyph.Bytes()} * static_cast<std::size_t>(16 * nRow + nColumn);
}

const std::uint8_t* CCharMap::GetCell(int nColumn, int nRow) const
{
    return m_pageBits.data() +
           std::size_t{m_glyph.Bytes()} * static_cast<std::size_t>(16 * nRow + nColumn);
}

void CCharMap::StoreCell(int nColumn, int nRow, const std::uint8_t* pSource)
{
    std::memcpy(GetCell(nColumn, nRow), pSource, m_glyph.Bytes());
    Repaint();
}

int CCharMap::Scale() const
{
    if (m_glyph.m_nWidth <= 8 && m_glyph.m_nHeight <= 8)
        return 4;
    if (m_glyph.m_nWidth <= 16 && m_glyph.m_nHeight <= 16)
        return 2;
    return 1;
}

void CCharMap::OnPaint(CCanvas& canvas) const
{
    canvas.FillRect(0, 0, kWidth, kHeight, kWhite);
    const CRgb shadow = canvas.SystemColour(ESystemColour::ButtonShadow);
    char label[16];

    for (int k = 0; k <= 16; ++k)
    {
        const int x = kLeftMargin + kPitch * k - 2;
        canvas.Line(x, 0, x, kHeight, 2, shadow);
        if (k < 16)
        {
            std::snprintf(label, sizeof label, "%X", static_cast<unsigned>(k));
            canvas.Text(kLeftMargin + kPitch * k + 8, 2, label, kBlack);
        }
    }
    for (int k = 0; k <= 16; ++k)
    {
        const int y = kTopMargin + kPitch * k - 2;
        canvas.Line(0, y, kWidth, y, 2, shadow);
        if (k < 16)
        {
            const int nLength =
                std::snprintf(label, sizeof label, "%04X",
                              static_cast<unsigned>(m_nFirstCode + 16u * static_cast<unsigned>(k)));
            if (nLength <= 4)
                canvas.Text(2, kTopMargin + kPitch * k + 8, label, kBlack);
            else
            {
                // Four digits fill the margin: longer codes go on two lines,
                // the last four digits below the rest, so no digit is lost
                // under the cells and the columns stay where they are.
                const std::string strCode(label);
                const std::size_t nSplit = strCode.size() - 4;
                canvas.Text(2, kTopMargin + kPitch * k + 1, strCode.substr(0, nSplit), kBlack);
                canvas.Text(2, kTopMargin + kPitch * k + 17, strCode.substr(nSplit), kBlack);
            }
        }
    }

    const int s = Scale();
    const CRgb highlight = canvas.SystemColour(ESystemColour::Highlight);
    for (int r = 0; r < 16; ++r)
    {
        for (int c = 0; c < 16; ++c)
        {
            const int nFaceLeft = kLeftMargin + kPitch * c - 1;
            const int nFaceTop = kTopMargin + kPitch * r - 1;
            if (m_changed[static_cast<std::size_t>(16 * r + c)])
                canvas.FillRect(nFaceLeft, nFaceTop, nFaceLeft + kFace, nFaceTop + kFace,
                                kChangedColour);
            // The selection covers the changed mark.
            if (c == m_nSelCol && r == m_nSelRow)
                canvas.FillRect(nFaceLeft, nFaceTop, nFaceLeft + kFace, nFaceTop + kFace,
                                highlight);

            const std::uint8_t* pCell = GetCell(c, r);
            const int nLeft = kLeftMargin + kPitch * c;
            const int nTop = kTopMargin + kPitch * r;
            const unsigned nWidth = m_glyph.m_nWidth;
            for (unsigned y = 0; y < m_glyph.m_nHeight; ++y)
            {
                // The band's bytes of row y, read as GetPixel does, inline:
                // a lit page paints 262,144 pixels.
                const std::uint8_t* pBand = pCell + (y / 8) * nWidth;
                const std::uint8_t nMask = static_cast<std::uint8_t>(0x80u >> (y % 8));
                for (unsigned x = 0; x < nWidth; ++x)
                    if (pBand[x] & nMask)
                    {
                        const int px = nLeft + static_cast<int>(x) * s;
                        const int py = nTop + static_cast<int>(y) * s;
                        canvas.FillRect(px, py, px + s, py + s, kBlack);
                    }
            }
        }
    }
}

void CCharMap::OnLButtonUp(int x, int y)
{
    // Division truncates toward zero, so the label margins up to 33 pixels
    // before the first column or row still hit it.
    const int nCol = (x - kLeftMargin) / kPitch;
    const int nRow = (y - kTopMargin) / kPitch;
    // Further out there is no cell: the click selects nothing.
    if (nCol < 0 || nCol > 15 || nRow < 0 || nRow > 15)
        return;
    m_nSelCol = nCol;
    m_nSelRow = nRow;
    Repaint();
    m_parent.SendMessage(WM_SELECTGLYPH, static_cast<std::uintptr_t>(m_nSelCol), m_nSelRow);
}
