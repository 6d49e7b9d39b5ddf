#pragma once

#include "ControlHost.h"
#include "Glyph.h"
#include "MessageTarget.h"
#include "Painter.h"

#include <array>
#include <cstdint>

// The character map: the 256 glyphs of one page as a 16 x 16 table with
// hexadecimal labels, changed glyphs and the selected cell marked; a click
// selects a cell and tells the parent with WM_SELECTGLYPH. Framework-free:
// the window side hands in paints and clicks and provides the host.
class CCharMap final : public CPainter
{
public:
    // Layout in pixels: margins for the labels, then 16 cells a side, each a
    // 32 x 32 face and a 2-pixel line.
    static constexpr int kLeftMargin = 40;
    static constexpr int kTopMargin = 20;
    static constexpr int kPitch = 34;
    static constexpr int kFace = 32;
    static constexpr int kWidth = kLeftMargin + 16 * kPitch; // 584
    static constexpr int kHeight = kTopMargin + 16 * kPitch; // 564
    static constexpr CRgb kChangedColour{255, 128, 128};

    CCharMap(CControlHost& host, CMessageTarget& parent) : m_host(host), m_parent(parent) {}

    // Cell (c, r) at offset GlyphBytes * (16r + c).
    std::array<std::uint8_t, kPageBufferBytes> m_pageBits{};
    std::array<std::uint8_t, 256> m_changed{}; // non-zero: in the change list; index 16r + c
    int m_nSelCol = 0;
    int m_nSelRow = 0;
    std::uint32_t m_nFirstCode = 0; // code of cell (0, 0), a multiple of 256
    CGlyph m_glyph;                 // only the geometry counts

    // New geometry; back to the page at code 0.
    void SetGlyphSize(unsigned nWidth, unsigned nHeight);
    std::uint8_t* GetCell(int nColumn, int nRow);
    const std::uint8_t* GetCell(int nColumn, int nRow) const;
    // Copies GlyphBytes bytes of pSource into the cell.
    void StoreCell(int nColumn, int nRow, const std::uint8_t* pSource);
    void Repaint() { m_host.Invalidate(); }

    // The off-screen bitmap is always the drawing area, whatever the client
    // size; it is copied to the client area's top-left corner.
    CClientSize BitmapSize() const override { return {kWidth, kHeight}; }
    void OnPaint(CCanvas& canvas) const override;
    // Release of the left button at (x, y) of the client area. The window
    // side lets the default handling run after it.
    void OnLButtonUp(int x, int y) override;

    // Pixels per glyph pixel for the current geometry: 4, 2 or 1.
    int Scale() const;

private:
    CControlHost& m_host;
    CMessageTarget& m_parent;
};
