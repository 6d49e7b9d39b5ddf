#include "ScaledCanvas.h"

#include <algorithm>
#include <cmath>

CScaledCanvas CScaledCanvas::Fitting(CCanvas& target, int nAreaWidth, int nAreaHeight, int nWide,
                                     int nHigh)
{
    const double dScale = std::max(0.0, std::min(static_cast<double>(nAreaWidth) / nWide,
                                                 static_cast<double>(nAreaHeight) / nHigh));
    const int nOffsetX = (nAreaWidth - static_cast<int>(std::lround(nWide * dScale))) / 2;
    const int nOffsetY = (nAreaHeight - static_cast<int>(std::lround(nHigh * dScale))) / 2;
    return CScaledCanvas(target, dScale, nOffsetX, nOffsetY);
}

int CScaledCanvas::X(int x) const
{
    return m_nOffsetX + static_cast<int>(std::lround(x * m_dScale));
}

int CScaledCanvas::Y(int y) const
{
    return m_nOffsetY + static_cast<int>(std::lround(y * m_dScale));
}

void CScaledCanvas::FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour)
{
    m_target.FillRect(X(nLeft), Y(nTop), X(nRight), Y(nBottom), colour);
}

void CScaledCanvas::Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour)
{
    m_target.Line(X(x0), Y(y0), X(x1), Y(y1),
                  std::max(1, static_cast<int>(std::lround(nWidth * m_dScale))), colour);
}

void CScaledCanvas::Text(int x, int y, const std::string& strText, CRgb colour)
{
    m_target.Text(X(x), Y(y), strText, colour);
}
