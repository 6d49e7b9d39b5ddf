#pragma once

#include "Glyph.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Changes to a whole glyph, for the editor's Glyph menu and `vfdkit
// transform`. Each works on the glyph's own W x H dots: dots pushed past an
// edge are lost (nothing wraps round), dots uncovered stay dark, and the
// unused bits of a partly used last band stay clear.

void InvertGlyph(CGlyph& glyph);
void FlipGlyphHorizontally(CGlyph& glyph);
void FlipGlyphVertically(CGlyph& glyph);
// Right and down for positive distances.
void ShiftGlyph(CGlyph& glyph, int nRight, int nDown);
// Every lit dot also lights its right neighbour: strokes one dot wider.
void EmboldenGlyph(CGlyph& glyph);

// Several of them, applied in this order: shift, flips, bold, invert.
struct CGlyphTransform
{
    int m_nShiftX = 0;
    int m_nShiftY = 0;
    bool m_bFlipH = false;
    bool m_bFlipV = false;
    bool m_bBold = false;
    bool m_bInvert = false;

    void Apply(CGlyph& glyph) const;
};

// A Glyph menu command on the glyph being edited, kept so that one Undo
// takes it back: the view applies it to its grid's glyph and modified flag,
// asks Undo first when Edit > Undo comes, and calls Forget when the glyph
// changes any other way (a click, typing, another glyph, another page).
class CGlyphTransformStep
{
public:
    void Apply(CGlyph& glyph, int& nModified, const CGlyphTransform& transform);
    // Restores the glyph and flag as they were before the last Apply; false
    // (nothing changed) when there is no step to take back.
    bool Undo(CGlyph& glyph, int& nModified);
    void Forget() { m_bHasStep = false; }
    bool CanUndo() const { return m_bHasStep; }

private:
    CGlyph m_before;
    int m_nModifiedBefore = 0;
    bool m_bHasStep = false;
};

// Applies a transform to glyphs nFirst to nLast of a font file's bytes read
// as W x H glyphs; glyphs past the end and bytes after the last whole glyph
// are left alone. The number of glyphs changed.
std::uint32_t TransformFont(std::span<std::uint8_t> font, unsigned nWidth, unsigned nHeight,
                            std::uint32_t nFirst, std::uint32_t nLast,
                            const CGlyphTransform& transform);

// "0x41-0x5A", "65", "0x80-" (to the end): the first and last glyph.
// Nothing when malformed or backwards.
std::optional<std::pair<std::uint32_t, std::uint32_t>> ParseGlyphRange(const std::string& strText);
