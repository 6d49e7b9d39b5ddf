#pragma once

#include "Painter.h"

#include <wx/window.h>

class wxBitmap;

// The window of a custom-drawn control. Each paint goes to an off-screen
// bitmap of the painter's BitmapSize(), which starts in the window's
// background colour, and is copied to the client area's top-left corner in
// one step, with background erasing off: repeated full repaints do not
// flicker, and what the painter leaves undrawn looks erased. A release of the
// left button takes the keyboard focus, then reaches the painter in client
// coordinates.
//
// The painter (nullptr: none yet) must outlive the window's events, as the
// members of the window that holds the control do.
class CWxPaintedControl final : public wxWindow
{
public:
    CWxPaintedControl(wxWindow* pParent, int nId, const wxPoint& position, const wxSize& size,
                      long nStyle = 0, CPainter* pPainter = nullptr);

    // Puts a painted control in the place of the placeholder control nId of
    // window (a static of the resource): same id, position, size, border, font
    // and tab order. The placeholder is destroyed. nullptr when there is no
    // such control (with an assertion).
    static CWxPaintedControl* ReplacePlaceholder(wxWindow& window, int nId,
                                                 CPainter* pPainter = nullptr);

    void SetPainter(CPainter* pPainter);
    CPainter* Painter() const { return m_pPainter; }

    // The painter's face as the control copies it to the screen.
    wxBitmap Render();

    bool AcceptsFocus() const override { return true; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    CPainter* m_pPainter;
};
