#pragma once

#include "Canvas.h"

class wxColour;
class wxDC;

// The canvas seam on a wx device context, normally the memory DC of an
// off-screen bitmap (see CWxPaintedControl). Text uses the DC's font.
class CWxCanvas final : public CCanvas
{
public:
    explicit CWxCanvas(wxDC& dc) : m_dc(dc) {}

    void FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour) override;
    void Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour) override;
    void Text(int x, int y, const std::string& strText, CRgb colour) override;
    CRgb SystemColour(ESystemColour which) const override;

private:
    wxDC& m_dc;
};

wxColour ToWxColour(CRgb colour);
CRgb FromWxColour(const wxColour& colour);
