#include "DisplayView.h"

#include "ScaledCanvas.h"

#include <wx/bitmap.h>
#include <wx/dcbuffer.h>
#include <wx/image.h>

CDisplayView::CDisplayView(wxWindow* pParent, const CConsoleFont* pFont)
    : wxWindow(pParent, wxID_ANY, wxDefaultPosition,
               wxSize(CScreenPainter::kWidth, CScreenPainter::kHeight)),
      m_painter(pFont)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(wxSize(CScreenPainter::kWidth / 2, CScreenPainter::kHeight / 2));
    Bind(wxEVT_PAINT, &CDisplayView::OnPaint, this);
    Bind(wxEVT_SIZE,
         [this](wxSizeEvent& event)
         {
             Refresh(false);
             event.Skip();
         });
}

void CDisplayView::SetState(const CLiveState& state)
{
    const bool bChanged = state.m_display.Changes() != m_display.Changes() ||
                          state.m_display.Model() != m_display.Model();
    if (state.m_display.BlinkInterval() != m_nBlink)
    {
        // A blink starts lit when it is switched on.
        m_nBlink = state.m_display.BlinkInterval();
        m_blinkStart = std::chrono::steady_clock::now();
    }
    m_display = state.m_display;
    if (bChanged)
    {
        Refresh(false);
        Update(); // now, not when the event queue runs dry
    }
}

bool CDisplayView::BlinkDarkNow() const
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - m_blinkStart);
    return CScreenPainter::BlinkDark(m_display, elapsed.count());
}

void CDisplayView::Tick()
{
    if (m_nBlink > 0 && BlinkDarkNow() != m_bPaintedDark)
        Refresh(false);
}

void CDisplayView::PaintPicture(const CScreenPainter& painter, const CVirtualDisplay& display,
                                CPaintMoment moment, CPixelCanvas& canvas)
{
    canvas.FillRect(0, 0, canvas.Width(), canvas.Height(), CScreenPainter::kGlass);
    auto scaled = CScaledCanvas::Fitting(canvas, canvas.Width(), canvas.Height(),
                                         CScreenPainter::kWidth, CScreenPainter::kHeight);
    painter.Paint(display, scaled, moment);
}

void CDisplayView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    m_bPaintedDark = BlinkDarkNow();
    // Kept from paint to paint: a fresh buffer of this size costs page
    // faults on every paint.
    if (!m_pCanvas || m_pCanvas->Width() != size.x || m_pCanvas->Height() != size.y)
        m_pCanvas = std::make_unique<CPixelCanvas>(size.x, size.y);
    CPixelCanvas& canvas = *m_pCanvas;
    PaintPicture(m_painter, m_display, {.m_bBlinkDark = m_bPaintedDark, .m_bCursor = true}, canvas);
    // The image borrows the buffer; the bitmap copies it.
    const wxImage image(size.x, size.y, const_cast<unsigned char*>(canvas.Rgb().data()), true);
    dc.DrawBitmap(wxBitmap(image), 0, 0);
    ++m_nPaints;
}
