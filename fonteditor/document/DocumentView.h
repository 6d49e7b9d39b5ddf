#pragma once

#include "Glyph.h"
#include "MessageTarget.h"

#include <cstdint>

// What the font document needs of a view on it: synchronous messages (the
// save has the first view commit its edit), updates, and the edit the view
// holds that is not committed yet. Views add themselves to their document.
class CDocumentView : public CMessageTarget
{
public:
    virtual void OnUpdate(std::intptr_t nHint) = 0;
    // The edited glyph not yet in the change list, or none.
    virtual const CGlyph* GetPendingEdit() const = 0;
};
