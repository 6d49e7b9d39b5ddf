#pragma once

#include "Painter.h"

#include <wx/window.h>

class wxBitmap;

// A child window whose whole face a framework-free CPainter draws: each paint
// goes to an off-screen bitmap that starts in the window's background colour
// and is copied to the screen in one step, with background erasing off, so
// repeated full repaints do not flicker. A release of the left button takes
// the keyboard focus, then reaches the painter in client coordinates.
class CWxPaintedControl final : public wxWindow, public CPaintHost
{
public:
    CWxPaintedControl(wxWindow* pParent, int nId, const wxPoint& position, const wxSize& size,
                      long nStyle, CPainter& painter);

    // Puts a painted control in the place of the placeholder control nId of
    // window (a static of the resource): same id, position, size, border and
    // tab order. The placeholder is destroyed. nullptr when there is no such
    // control (with an assertion).
    static CWxPaintedControl* ReplacePlaceholder(wxWindow& window, int nId, CPainter& painter);

    // The painter's face at the given size, as the control would show it.
    wxBitmap Render(const wxSize& size);

    bool AcceptsFocus() const override { return true; }

protected:
    void OnInvalidate() override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftUp(wxMouseEvent& event);
};
