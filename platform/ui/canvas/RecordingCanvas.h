#pragma once

#include "Canvas.h"

#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

// A canvas that paints nothing and keeps every call in order, so tests can
// assert exactly what a control draws.

struct CFillRectCall
{
    int m_nLeft, m_nTop, m_nRight, m_nBottom;
    CRgb m_colour;
    bool operator==(const CFillRectCall&) const = default;
};

struct CLineCall
{
    int m_x0, m_y0, m_x1, m_y1;
    int m_nWidth;
    CRgb m_colour;
    bool operator==(const CLineCall&) const = default;
};

struct CTextCall
{
    int m_x, m_y;
    std::string m_strText;
    CRgb m_colour;
    bool operator==(const CTextCall&) const = default;
};

using CCanvasCall = std::variant<CFillRectCall, CLineCall, CTextCall>;

class CRecordingCanvas final : public CCanvas
{
public:
    void FillRect(int nLeft, int nTop, int nRight, int nBottom, CRgb colour) override;
    void Line(int x0, int y0, int x1, int y1, int nWidth, CRgb colour) override;
    void Text(int x, int y, const std::string& strText, CRgb colour) override;
    CRgb SystemColour(ESystemColour which) const override;

    // The calls of one kind, in order.
    std::vector<CFillRectCall> Fills() const { return Only<CFillRectCall>(); }
    std::vector<CLineCall> Lines() const { return Only<CLineCall>(); }
    std::vector<CTextCall> Texts() const { return Only<CTextCall>(); }

    std::vector<CCanvasCall> m_calls;
    // Distinct from black and white, so a test can tell which was asked for.
    CRgb m_buttonShadow{160, 160, 160};
    CRgb m_highlight{0, 120, 215};

private:
    template <typename T>
    std::vector<T> Only() const
    {
        std::vector<T> calls;
        for (const auto& call : m_calls)
            if (const T* p = std::get_if<T>(&call))
                calls.push_back(*p);
        return calls;
    }
};

// Readable failure output in tests.
std::ostream& operator<<(std::ostream& out, const CRgb& colour);
std::ostream& operator<<(std::ostream& out, const CFillRectCall& call);
std::ostream& operator<<(std::ostream& out, const CLineCall& call);
std::ostream& operator<<(std::ostream& out, const CTextCall& call);
