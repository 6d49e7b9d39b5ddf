#include "Glyph.h"

namespace
{
unsigned ByteIndex(unsigned x, unsigned y, unsigned nWidth)
{
    return x + (y / 8) * nWidth;
}

std::uint8_t BitMask(unsigned y)
{
    return static_cast<std::uint8_t>(0x80u >> (y % 8));
}
} // namespace

int CGlyph::GetPixel(unsigned x, unsigned y, const std::uint8_t* pData) const
{
    return (pData[ByteIndex(x, y, m_nWidth)] & BitMask(y)) ? 1 : 0;
}

void CGlyph::SetPixel(unsigned x, unsigned y, int nOn, std::uint8_t* pData) const
{
    std::uint8_t& byte = pData[ByteIndex(x, y, m_nWidth)];
    if (nOn)
        byte = static_cast<std::uint8_t>(byte | BitMask(y));
    else
        byte = static_cast<std::uint8_t>(byte & ~BitMask(y));
}

void CGlyph::ToText(std::string& strText) const
{
    strText.clear();
    strText.reserve(m_nHeight * (m_nWidth + m_nWidth / 8 + 2));
    for (unsigned y = 0; y < m_nHeight; ++y)
    {
        for (unsigned x = 0; x < m_nWidth; ++x)
        {
            strText += GetPixel(x, y) ? '1' : '0';
            if (x % 8 == 7 && x < m_nWidth - 1)
                strText += ' ';
        }
        strText += "\r\n";
    }
}

void CGlyph::FromText(const std::string& strText)
{
    m_bits.fill(0);
    if (m_nHeight == 0)
        return;
    unsigned nRow = 0;
    unsigned nGroupColumn = 0;
    unsigned nCount = 0;
    for (const char c : strText)
    {
        switch (c)
        {
        case ' ':
            if (nCount != 0)
            {
                nGroupColumn += 8;
                nCount = 0;
            }
            break;
        case '\n':
            if (++nRow >= m_nHeight)
                return;
            nGroupColumn = 0;
            nCount = 0;
            break;
        case '\r':
            break;
        default:
            // A column past the width would land in the next band's bytes.
            if (nGroupColumn + nCount < m_nWidth && nCount < 8)
                SetPixel(nGroupColumn + nCount, nRow, c != '0');
            ++nCount;
            break;
        }
    }
}
