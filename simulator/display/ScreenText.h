#pragma once

#include "VirtualDisplay.h"

#include <string>

// The screen as UTF-8 text: the two lines in a frame, each cell the
// character its code stands for in the cell's character set and code table
// (a cell showing a downloaded glyph shows that character too), then the
// state a user cannot read off the characters, one "name: value" a line.
std::string ScreenText(const CVirtualDisplay& display);

// The pages of an area received so far, "1 2 3"; empty for none.
std::string PageList(const CVirtualDisplay& display, int nArea);
// How many cells show a downloaded glyph.
int UserGlyphCells(const CVirtualDisplay& display);

// The character a cell shows as text: a space for a cleared cell or an
// empty place of a code table.
std::string CellText(const CVirtualDisplay& display, const CCell& cell);
