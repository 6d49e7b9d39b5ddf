#include "WxCanvas.h"

#include "WxText.h"

#include <wx/dc.h>
#include <wx/settings.h>

wxColour ToWxColour(CRgb colour)
{
    return wxColour(colour.m_r, colour.m_g, colour.m_b);
}

CRgb FromWxColour(const wxColour& colour)
{
    return CRgb{colour.Red(), colour.Green(), colour.Blue()};
}

void CWxCanvas::FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour)
{
    if (nRight <= nLeft || nBottom <= nTop)
        return;
    m_dc.SetPen(*wxTRANSPARENT_PEN);
    m_dc.SetBrush(wxBrush(ToWxColour(colour)));
    m_dc.DrawRectangle(nLeft, nTop, nRight - nLeft, nBottom - nTop);
}

void CWxCanvas::Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour)
{
    if (nWidth < 1)
        nWidth = 1;
    // Straight lines are exact pixel runs, as a bitmap painter draws them: a
    // pen nWidth wide covers nWidth / 2 pixels before the line and the rest
    // from it on, and the end point is left out.
    const int nBefore = nWidth / 2;
    if (x0 == x1)
    {
        const int nTop = y1 >= y0 ? y0 : y1 + 1;
        const int nBottom = y1 >= y0 ? y1 : y0 + 1;
        FillRect(x0 - nBefore, nTop, x0 - nBefore + nWidth, nBottom, colour);
        return;
    }
    if (y0 == y1)
    {
        const int nLeft = x1 >= x0 ? x0 : x1 + 1;
        const int nRight = x1 >= x0 ? x1 : x0 + 1;
        FillRect(nLeft, y0 - nBefore, nRight, y0 - nBefore + nWidth, colour);
        return;
    }
    wxPen pen(ToWxColour(colour), nWidth, wxPENSTYLE_SOLID);
    pen.SetCap(wxCAP_BUTT);
    m_dc.SetPen(pen);
    m_dc.DrawLine(x0, y0, x1, y1);
}

void CWxCanvas::Text(int x, int y, const std::string& strText, CRgb colour)
{
    m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    m_dc.SetTextForeground(ToWxColour(colour));
    m_dc.DrawText(ToWx(strText), x, y);
}

CRgb CWxCanvas::SystemColour(ESystemColour which) const
{
    switch (which)
    {
    case ESystemColour::ButtonShadow:
        return FromWxColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
    case ESystemColour::Highlight:
        break;
    }
    return FromWxColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
}
