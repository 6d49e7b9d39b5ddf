#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// A small anti-aliased rasteriser for the program's pictures: shapes given by
// an inside test are sampled on a grid of sub-pixels, painted with a colour
// that may vary across the shape, and laid over what is there. Glow is a
// blurred copy of a light layer added on top. Deterministic: the same calls
// give the same bytes on every machine, so the pictures can be checked
// against the files in the source tree.

struct CColour
{
    double m_r = 0; // 0 to 1
    double m_g = 0;
    double m_b = 0;
    double m_a = 1;
};

// #RRGGBB with an alpha.
CColour Hex(std::uint32_t nRgb, double dAlpha = 1.0);
CColour Mix(const CColour& a, const CColour& b, double t);

class CRaster
{
public:
    using Inside = std::function<bool(double x, double y)>;
    using Paint = std::function<CColour(double x, double y)>;

    // nSamples sub-pixels a side; starts transparent.
    CRaster(int nWidth, int nHeight, int nSamples = 4);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Paints the pixels of [nLeft, nRight) x [nTop, nBottom) where the shape
    // covers them, in proportion to the sub-pixels inside it.
    void Fill(double dLeft, double dTop, double dRight, double dBottom, const Inside& inside,
              const Paint& paint);
    void Fill(double dLeft, double dTop, double dRight, double dBottom, const Inside& inside,
              const CColour& colour);

    // Adds a blurred copy of light (same size) as emitted light, nStrength
    // times its brightness.
    void AddGlow(const CRaster& light, double dRadius, double dStrength);

    // Every pixel's colour made grey and faint, as a disabled icon's.
    void Fade(double dAlpha);

    CColour Pixel(int x, int y) const;
    // Rows of R, G, B bytes over an opaque background, and of R, G, B, A.
    std::vector<std::uint8_t> Rgb(const CColour& background) const;
    std::vector<std::uint8_t> Rgba() const;

private:
    int m_nWidth;
    int m_nHeight;
    int m_nSamples;
    std::vector<CColour> m_pixels; // premultiplied
};

// Inside tests of the shapes the pictures are made of.
CRaster::Inside RoundRect(double dLeft, double dTop, double dRight, double dBottom, double dRadius);
CRaster::Inside Circle(double cx, double cy, double dRadius);
CRaster::Inside Ellipse(double cx, double cy, double rx, double ry);
// A closed polygon, non-zero winding.
CRaster::Inside Polygon(std::vector<std::pair<double, double>> points);
// A ring between two radii, from angle dFrom to dTo (degrees, counted
// clockwise from 12 o'clock).
CRaster::Inside Arc(double cx, double cy, double dInner, double dOuter, double dFrom, double dTo);
CRaster::Inside Union(CRaster::Inside a, CRaster::Inside b);
CRaster::Inside Minus(CRaster::Inside a, CRaster::Inside b);

// A paint that runs from one colour at dTop to another at dBottom.
CRaster::Paint VerticalGradient(CColour top, CColour bottom, double dTop, double dBottom);
