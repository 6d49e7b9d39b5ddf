#pragma once

#include "ControlHost.h"
#include "Glyph.h"
#include "MessageTarget.h"
#include "Painter.h"

#include <cstdint>

// The glyph grid: one glyph enlarged, one square cell per pixel; a click
// toggles a pixel and tells the parent with WM_PIXELTOGGLED. Framework-free:
// the window side hands in paints and clicks and provides the host.
class CGlyphGrid final : public CPainter
{
public:
    CGlyphGrid(CControlHost& host, CMessageTarget& parent) : m_host(host), m_parent(parent) {}

    CGlyph m_glyph;      // the glyph being edited
    int m_bModified = 0; // 1 once the bitmap changed since the glyph was loaded

    // New geometry; bitmap, code and m_bModified stay as they are.
    void SetGlyphSize(unsigned nWidth, unsigned nHeight);
    // Takes the code and the first GlyphBytes (own geometry) bytes of pSource;
    // the rest of the bitmap stays as it is.
    void LoadGlyph(std::uint32_t nCode, const std::uint8_t* pSource);
    void Repaint() { m_host.Invalidate(); }

    // The off-screen bitmap's size: the client area.
    CClientSize BitmapSize() const override { return m_host.GetClientSize(); }
    // Paints the whole face on a canvas of BitmapSize().
    void OnPaint(CCanvas& canvas) const override;
    // Release of the left button at (x, y) of the client area. The window
    // side lets the default handling run after it.
    void OnLButtonUp(int x, int y) override;

private:
    // Cells per side: the grid is square also when W and H differ.
    unsigned CellsPerSide() const;

    CControlHost& m_host;
    CMessageTarget& m_parent;
};
