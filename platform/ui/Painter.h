#pragma once

#include "Canvas.h"

// The logic of a custom-drawn control: it paints its whole face on a canvas
// and takes left-button releases. The window that hosts it (the wx layer's
// CWxPaintedControl, or a test) calls these; the logic asks for a repaint
// with Invalidate().
//
// Either side may go first: a painter outliving its window, or a window
// outliving its painter, leaves no dangling pointer behind.
class CPaintHost;

class CPainter
{
public:
    CPainter() = default;
    // A copy paints the same face but belongs to no window yet.
    CPainter(const CPainter&) {}
    CPainter& operator=(const CPainter&) { return *this; }
    virtual ~CPainter();

    // Paints the client area of nWidth × nHeight pixels.
    virtual void Paint(CCanvas& canvas, int nWidth, int nHeight) = 0;
    // The left button was released at (x, y), client coordinates; the client
    // area is nWidth × nHeight pixels. The host has already taken the focus.
    virtual void OnLeftButtonUp(int x, int y, int nWidth, int nHeight) = 0;

    // The whole face is repainted soon (never during the call); nothing
    // happens while no window hosts the painter.
    void Invalidate();

private:
    friend class CPaintHost;
    CPaintHost* m_pHost = nullptr;
};

// The window side of a painter.
class CPaintHost
{
public:
    CPaintHost() = default;
    CPaintHost(const CPaintHost&) = delete;
    CPaintHost& operator=(const CPaintHost&) = delete;
    virtual ~CPaintHost();

    // The painter this window shows; nullptr when it has gone.
    CPainter* Painter() const { return m_pPainter; }

protected:
    void Attach(CPainter& painter);
    void Detach();
    virtual void OnInvalidate() = 0;

private:
    friend class CPainter;
    CPainter* m_pPainter = nullptr;
};
