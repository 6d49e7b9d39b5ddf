#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

CColour Hex(std::uint32_t nRgb, double dAlpha)
{
    return CColour{((nRgb >> 16) & 0xFF) / 255.0, ((nRgb >> 8) & 0xFF) / 255.0,
                   (nRgb & 0xFF) / 255.0, dAlpha};
}

CColour Mix(const CColour& a, const CColour& b, double t)
{
    return CColour{a.m_r + (b.m_r - a.m_r) * t, a.m_g + (b.m_g - a.m_g) * t,
                   a.m_b + (b.m_b - a.m_b) * t, a.m_a + (b.m_a - a.m_a) * t};
}

CRaster::CRaster(int nWidth, int nHeight, int nSamples)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_nSamples(nSamples),
      m_pixels(static_cast<std::size_t>(nWidth) * nHeight, CColour{0, 0, 0, 0})
{
}

void CRaster::Fill(double dLeft, double dTop, double dRight, double dBottom, const Inside& inside,
                   const Paint& paint)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(dLeft)));
    const int y0 = std::max(0, static_cast<int>(std::floor(dTop)));
    const int x1 = std::min(m_nWidth, static_cast<int>(std::ceil(dRight)));
    const int y1 = std::min(m_nHeight, static_cast<int>(std::ceil(dBottom)));
    const double dStep = 1.0 / m_nSamples;
    const double dSamples = static_cast<double>(m_nSamples) * m_nSamples;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
        {
            int nInside = 0;
            for (int sy = 0; sy < m_nSamples; ++sy)
                for (int sx = 0; sx < m_nSamples; ++sx)
                    if (inside(x + (sx + 0.5) * dStep, y + (sy + 0.5) * dStep))
                        ++nInside;
            if (nInside == 0)
                continue;
            const CColour c = paint(x + 0.5, y + 0.5);
            const double a = c.m_a * nInside / dSamples;
            CColour& p = m_pixels[static_cast<std::size_t>(y) * m_nWidth + x];
            p.m_r = c.m_r * a + p.m_r * (1 - a);
            p.m_g = c.m_g * a + p.m_g * (1 - a);
            p.m_b = c.m_b * a + p.m_b * (1 - a);
            p.m_a = a + p.m_a * (1 - a);
        }
}

void CRaster::Fill(double dLeft, double dTop, double dRight, double dBottom, const Inside& inside,
                   const CColour& colour)
{
    Fill(dLeft, dTop, dRight, dBottom, inside, [colour](double, double) { return colour; });
}

void CRaster::AddGlow(const CRaster& light, double dRadius, double dStrength)
{
    // A Gaussian blur, one direction after the other.
    const int nReach = static_cast<int>(std::ceil(dRadius * 3));
    std::vector<double> kernel;
    double dSum = 0;
    for (int i = -nReach; i <= nReach; ++i)
    {
        kernel.push_back(std::exp(-0.5 * i * i / (dRadius * dRadius)));
        dSum += kernel.back();
    }
    for (double& k : kernel)
        k /= dSum;

    auto blur = [&](const std::vector<CColour>& in, bool bAcross)
    {
        std::vector<CColour> out(in.size(), CColour{0, 0, 0, 0});
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < m_nWidth; ++x)
            {
                CColour sum{0, 0, 0, 0};
                for (int i = -nReach; i <= nReach; ++i)
                {
                    const int sx = bAcross ? x + i : x;
                    const int sy = bAcross ? y : y + i;
                    if (sx < 0 || sy < 0 || sx >= m_nWidth || sy >= m_nHeight)
                        continue;
                    const CColour& p = in[static_cast<std::size_t>(sy) * m_nWidth + sx];
                    const double k = kernel[static_cast<std::size_t>(i + nReach)];
                    sum.m_r += p.m_r * k;
                    sum.m_g += p.m_g * k;
                    sum.m_b += p.m_b * k;
                    sum.m_a += p.m_a * k;
                }
                out[static_cast<std::size_t>(y) * m_nWidth + x] = sum;
            }
        return out;
    };
    const std::vector<CColour> glow = blur(blur(light.m_pixels, true), false);
    for (std::size_t i = 0; i < m_pixels.size(); ++i)
    {
        CColour& p = m_pixels[i];
        p.m_r = std::min(1.0, p.m_r + glow[i].m_r * dStrength);
        p.m_g = std::min(1.0, p.m_g + glow[i].m_g * dStrength);
        p.m_b = std::min(1.0, p.m_b + glow[i].m_b * dStrength);
        p.m_a = std::min(1.0, p.m_a + glow[i].m_a * dStrength);
    }
}

void CRaster::Fade(double dAlpha)
{
    for (CColour& p : m_pixels)
    {
        if (p.m_a <= 0)
            continue;
        // Grey of the same lightness, lifted towards white so it reads as off.
        const double dGrey = (0.30 * p.m_r + 0.59 * p.m_g + 0.11 * p.m_b) / p.m_a;
        const double dLifted = 0.38 + dGrey * 0.5;
        p.m_a *= dAlpha;
        p.m_r = p.m_g = p.m_b = dLifted * p.m_a;
    }
}

CColour CRaster::Pixel(int x, int y) const
{
    return m_pixels[static_cast<std::size_t>(y) * m_nWidth + x];
}

namespace
{
std::uint8_t Byte(double d)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(d, 0.0, 1.0) * 255));
}
} // namespace

std::vector<std::uint8_t> CRaster::Rgb(const CColour& background) const
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(m_pixels.size() * 3);
    for (const CColour& p : m_pixels)
    {
        rgb.push_back(Byte(p.m_r + background.m_r * (1 - p.m_a)));
        rgb.push_back(Byte(p.m_g + background.m_g * (1 - p.m_a)));
        rgb.push_back(Byte(p.m_b + background.m_b * (1 - p.m_a)));
    }
    return rgb;
}

std::vector<std::uint8_t> CRaster::Rgba() const
{
    std::vector<std::uint8_t> rgba;
    rgba.reserve(m_pixels.size() * 4);
    for (const CColour& p : m_pixels)
    {
        const double a = p.m_a;
        rgba.push_back(Byte(a > 0 ? p.m_r / a : 0));
        rgba.push_back(Byte(a > 0 ? p.m_g / a : 0));
        rgba.push_back(Byte(a > 0 ? p.m_b / a : 0));
        rgba.push_back(Byte(a));
    }
    return rgba;
}

CRaster::Inside RoundRect(double dLeft, double dTop, double dRight, double dBottom, double dRadius)
{
    return [=](double x, double y)
    {
        if (x < dLeft || x >= dRight || y < dTop || y >= dBottom)
            return false;
        const double cx = std::clamp(x, dLeft + dRadius, dRight - dRadius);
        const double cy = std::clamp(y, dTop + dRadius, dBottom - dRadius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= dRadius * dRadius;
    };
}

CRaster::Inside Circle(double cx, double cy, double dRadius)
{
    return [=](double x, double y)
    { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= dRadius * dRadius; };
}

CRaster::Inside Ellipse(double cx, double cy, double rx, double ry)
{
    return [=](double x, double y)
    { return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1; };
}

CRaster::Inside Polygon(std::vector<std::pair<double, double>> points)
{
    return [points = std::move(points)](double x, double y)
    {
        int nWinding = 0;
        for (std::size_t i = 0; i < points.size(); ++i)
        {
            const auto [x0, y0] = points[i];
            const auto [x1, y1] = points[(i + 1) % points.size()];
            const double dSide = (x1 - x0) * (y - y0) - (x - x0) * (y1 - y0);
            if (y0 <= y && y1 > y && dSide > 0)
                ++nWinding;
            else if (y0 > y && y1 <= y && dSide < 0)
                --nWinding;
        }
        return nWinding != 0;
    };
}

CRaster::Inside Arc(double cx, double cy, double dInner, double dOuter, double dFrom, double dTo)
{
    return [=](double x, double y)
    {
        const double d = std::hypot(x - cx, y - cy);
        if (d < dInner || d > dOuter)
            return false;
        double dAngle = std::atan2(x - cx, cy - y) * 180 / std::numbers::pi;
        if (dAngle < 0)
            dAngle += 360;
        return dFrom <= dTo ? dAngle >= dFrom && dAngle <= dTo : dAngle >= dFrom || dAngle <= dTo;
    };
}

CRaster::Inside Union(CRaster::Inside a, CRaster::Inside b)
{
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

CRaster::Inside Minus(CRaster::Inside a, CRaster::Inside b)
{
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

CRaster::Paint VerticalGradient(CColour top, CColour bottom, double dTop, double dBottom)
{
    return [=](double, double y)
    { return Mix(top, bottom, std::clamp((y - dTop) / (dBottom - dTop), 0.0, 1.0)); };
}
