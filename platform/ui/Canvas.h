#pragma once

#include <cstdint>
#include <string>

// The surface the custom-drawn controls paint on. The wx layer paints on a
// memory bitmap copied to the screen in one step; tests record the calls or
// paint into a pixel buffer.

struct CRgb
{
    std::uint8_t m_r = 0;
    std::uint8_t m_g = 0;
    std::uint8_t m_b = 0;

    bool operator==(const CRgb&) const = default;
};

inline constexpr CRgb kWhite{255, 255, 255};
inline constexpr CRgb kBlack{0, 0, 0};

enum class ESystemColour
{
    ButtonShadow, // lines of the grid and the map
    Highlight     // the selected cell
};

class CCanvas
{
public:
    virtual ~CCanvas() = default;

    // The rectangle from (left, top) to (right, bottom), right and bottom excluded.
    virtual void FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour) = 0;
    // A solid line from (x0, y0) to (x1, y1), the end point excluded, with a
    // pen nWidth pixels wide. A wide pen on a straight line covers nWidth / 2
    // pixels before it (left of it, above it) and the rest from it on.
    virtual void Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour) = 0;
    // Text in the surface's default font with its top-left corner at (x, y),
    // on a transparent background.
    virtual void Text(int x, int y, const std::string& strText, CRgb colour) = 0;
    virtual CRgb SystemColour(ESystemColour which) const = 0;
};
