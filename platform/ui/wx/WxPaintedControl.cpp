#include "WxPaintedControl.h"

#include "WxCanvas.h"
#include "WxControlAccess.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

CWxPaintedControl::CWxPaintedControl(wxWindow* pParent, int nId, const wxPoint& position,
                                     const wxSize& size, long nStyle, CPainter& painter)
{
    // Must precede Create: the toolkit then leaves the background alone.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(pParent, nId, position, size, nStyle | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
    Attach(painter);
    Bind(wxEVT_PAINT, &CWxPaintedControl::OnPaint, this);
    Bind(wxEVT_LEFT_UP, &CWxPaintedControl::OnLeftUp, this);
}

CWxPaintedControl* CWxPaintedControl::ReplacePlaceholder(wxWindow& window, int nId,
                                                         CPainter& painter)
{
    wxWindow* pPlaceholder = FindControl(window, nId);
    wxASSERT_MSG(pPlaceholder, wxString::Format("no placeholder %d", nId));
    if (!pPlaceholder)
        return nullptr;
    const long nBorder = pPlaceholder->GetWindowStyleFlag() & wxBORDER_MASK;
    auto* pControl =
        new CWxPaintedControl(pPlaceholder->GetParent(), nId, pPlaceholder->GetPosition(),
                              pPlaceholder->GetSize(), nBorder, painter);
    pControl->SetFont(pPlaceholder->GetFont());
    pControl->MoveAfterInTabOrder(pPlaceholder);
    pPlaceholder->Destroy();
    return pControl;
}

wxBitmap CWxPaintedControl::Render(const wxSize& size)
{
    wxBitmap bitmap(size.x > 0 ? size.x : 1, size.y > 0 ? size.y : 1, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    dc.SetFont(GetFont());
    if (CPainter* pPainter = Painter())
    {
        CWxCanvas canvas(dc);
        pPainter->Paint(canvas, size.x, size.y);
    }
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

void CWxPaintedControl::OnInvalidate()
{
    Refresh();
}

void CWxPaintedControl::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    dc.DrawBitmap(Render(size), 0, 0);
}

void CWxPaintedControl::OnLeftUp(wxMouseEvent& event)
{
    SetFocus();
    if (CPainter* pPainter = Painter())
    {
        const wxSize size = GetClientSize();
        pPainter->OnLeftButtonUp(event.GetX(), event.GetY(), size.x, size.y);
    }
    event.Skip();
}
