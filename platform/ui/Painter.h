#pragma once

#include "Canvas.h"
#include "ControlHost.h"

// A custom-drawn control's logic as its window drives it: a paint fills an
// off-screen bitmap of BitmapSize() that is then copied to the client area's
// top-left corner, and releases of the left button arrive in client
// coordinates. The logic reaches its window through a CControlHost.
class CPainter
{
public:
    virtual ~CPainter() = default;

    virtual CClientSize BitmapSize() const = 0;
    virtual void OnPaint(CCanvas& canvas) const = 0;
    virtual void OnLButtonUp(int x, int y) = 0;
};
