#pragma once

#include "Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

// A canvas that paints into an RGB pixel buffer, for snapshots (WritePng)
// and benchmarks. Drawing outside the buffer is clipped.
//
// Pens: a line of width w covers, across its direction, the w pixels from
// w / 2 before the line's coordinate (w = 1: the coordinate itself; w = 2:
// the pixel before it and its own; w = 3: one on each side), and along its
// direction the pixels from the start point to the end point, the end
// excluded. So a 2-pixel line at x = 40 + 34k - 2 fills exactly the two
// columns between the 32-pixel cell faces of the character map, and a grid
// line at x = 8 cw (first cell of the ninth column) takes the last column of
// the eighth cell with it. Lines that are neither horizontal nor vertical
// (the controls draw none) stamp a w x w square, placed the same way, on each
// point of a Bresenham line.
//
// Text uses the built-in label font (LabelFont.h), its cell's top-left
// corner at the given point, on a transparent background.
class CPixelCanvas final : public CCanvas
{
public:
    // A colour no control paints, so pixels left unpainted show up.
    static constexpr CRgb kUnpainted{255, 0, 255};

    CPixelCanvas(int nWidth, int nHeight, CRgb background = kUnpainted);

    void FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour) override;
    void Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour) override;
    void Text(int x, int y, const std::string& strText, CRgb colour) override;
    CRgb SystemColour(ESystemColour which) const override;

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    CRgb GetPixel(int x, int y) const;
    // Rows of R, G, B bytes from the top.
    const std::vector<std::uint8_t>& Rgb() const { return m_rgb; }

    bool WritePng(const std::string& strPath, std::string* pError = nullptr) const;

    // The system colours of a common light desktop theme.
    CRgb m_buttonShadow{160, 160, 160};
    CRgb m_highlight{0, 120, 215};

private:
    void SetPixel(int x, int y, CRgb colour)
    {
        if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
            return;
        std::uint8_t* p = &m_rgb[(static_cast<std::size_t>(y) * m_nWidth + x) * 3];
        p[0] = colour.m_r;
        p[1] = colour.m_g;
        p[2] = colour.m_b;
    }

    int m_nWidth;
    int m_nHeight;
    std::vector<std::uint8_t> m_rgb;
};
