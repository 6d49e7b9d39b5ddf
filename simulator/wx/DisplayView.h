#pragma once

#include "LiveScreen.h"
#include "PixelCanvas.h"
#include "ScreenPainter.h"

#include <chrono>
#include <memory>

#include <wx/window.h>

// The display as it looks, scaled to the window with its aspect kept: the
// screen painter draws through a scaled canvas into a pixel buffer the size
// of the window, copied to the screen in one step. Repaints at once when a
// new state arrives, and while the screen blinks.
class CDisplayView final : public wxWindow
{
public:
    CDisplayView(wxWindow* pParent, const CConsoleFont* pFont);

    void SetState(const CLiveState& state);
    // Called often: repaints when a blink has turned the screen on or off.
    void Tick();
    // Paints done so far (the benchmark waits for them).
    std::uint64_t Paints() const { return m_nPaints; }
    // The picture at a size, as the window paints it (benchmarks, tests).
    static void PaintPicture(const CScreenPainter& painter, const CVirtualDisplay& display,
                             CPaintMoment moment, CPixelCanvas& canvas);

private:
    void OnPaint(wxPaintEvent& event);

    CScreenPainter m_painter;
    CVirtualDisplay m_display;
    bool BlinkDarkNow() const;

    int m_nBlink = 0;
    bool m_bPaintedDark = false;
    std::uint64_t m_nPaints = 0;
    std::unique_ptr<CPixelCanvas> m_pCanvas;
    std::chrono::steady_clock::time_point m_blinkStart = std::chrono::steady_clock::now();
};
