#include "RecordingCanvas.h"

#include <ostream>

void CRecordingCanvas::FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour)
{
    m_calls.emplace_back(CFillRectCall{nLeft, nTop, nRight, nBottom, colour});
}

void CRecordingCanvas::Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour)
{
    m_calls.emplace_back(CLineCall{x0, y0, x1, y1, nWidth, colour});
}

void CRecordingCanvas::Text(int x, int y, const std::string& strText, CRgb colour)
{
    m_calls.emplace_back(CTextCall{x, y, strText, colour});
}

CRgb CRecordingCanvas::SystemColour(ESystemColour which) const
{
    return which == ESystemColour::Highlight ? m_highlight : m_buttonShadow;
}

std::ostream& operator<<(std::ostream& out, const CRgb& colour)
{
    return out << "RGB(" << int{colour.m_r} << ", " << int{colour.m_g} << ", " << int{colour.m_b}
               << ")";
}

std::ostream& operator<<(std::ostream& out, const CFillRectCall& call)
{
    return out << "FillRect(" << call.m_nLeft << ", " << call.m_nTop << ", " << call.m_nRight
               << ", " << call.m_nBottom << ", " << call.m_colour << ")";
}

std::ostream& operator<<(std::ostream& out, const CLineCall& call)
{
    return out << "Line(" << call.m_x0 << ", " << call.m_y0 << ", " << call.m_x1 << ", "
               << call.m_y1 << ", width " << call.m_nWidth << ", " << call.m_colour << ")";
}

std::ostream& operator<<(std::ostream& out, const CTextCall& call)
{
    return out << "Text(" << call.m_x << ", " << call.m_y << ", \"" << call.m_strText << "\", "
               << call.m_colour << ")";
}
