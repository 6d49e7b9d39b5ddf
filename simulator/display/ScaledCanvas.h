#pragma once

#include "Canvas.h"

// Passes drawing on to another canvas magnified by a factor and moved by an
// offset, so the screen painter's fixed layout fills a window of any size.
// Both edges of a rectangle are rounded the same way, so rectangles that
// touch still touch and nothing is painted twice or left out between them.
class CScaledCanvas final : public CCanvas
{
public:
    CScaledCanvas(CCanvas& target, double dScale, int nOffsetX, int nOffsetY)
        : m_target(target), m_dScale(dScale), m_nOffsetX(nOffsetX), m_nOffsetY(nOffsetY)
    {
    }
    // The largest scale at which nWide x nHigh fits into the area, centred in it.
    static CScaledCanvas Fitting(CCanvas& target, int nAreaWidth, int nAreaHeight, int nWide,
                                 int nHigh);

    void FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour) override;
    void Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour) override;
    void Text(int x, int y, const std::string& strText, CRgb colour) override;
    CRgb SystemColour(ESystemColour which) const override { return m_target.SystemColour(which); }

    double Scale() const { return m_dScale; }
    int X(int x) const;
    int Y(int y) const;

private:
    CCanvas& m_target;
    double m_dScale;
    int m_nOffsetX;
    int m_nOffsetY;
};
