#include "WxPaintedControl.h"

#include "WxCanvas.h"
#include "WxControlAccess.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

CWxPaintedControl::CWxPaintedControl(wxWindow* pParent, int nId, const wxPoint& position,
                                     const wxSize& size, long nStyle, CPainter* pPainter)
    : m_pPainter(pPainter)
{
    // Must precede Create: the toolkit then leaves the background alone.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(pParent, nId, position, size, nStyle | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
    Bind(wxEVT_PAINT, &CWxPaintedControl::OnPaint, this);
    Bind(wxEVT_LEFT_UP, &CWxPaintedControl::OnLeftUp, this);
}

CWxPaintedControl* CWxPaintedControl::ReplacePlaceholder(wxWindow& window, int nId,
                                                         CPainter* pPainter)
{
    wxWindow* pPlaceholder = FindControl(window, nId);
    wxASSERT_MSG(pPlaceholder, wxString::Format("no placeholder %d", nId));
    if (!pPlaceholder)
        return nullptr;
    const long nBorder = pPlaceholder->GetWindowStyleFlag() & wxBORDER_MASK;
    auto* pControl =
        new CWxPaintedControl(pPlaceholder->GetParent(), nId, pPlaceholder->GetPosition(),
                              pPlaceholder->GetSize(), nBorder, pPainter);
    pControl->SetFont(pPlaceholder->GetFont());
    pControl->MoveAfterInTabOrder(pPlaceholder);
    pPlaceholder->Destroy();
    return pControl;
}

void CWxPaintedControl::SetPainter(CPainter* pPainter)
{
    m_pPainter = pPainter;
    Refresh();
}

wxBitmap CWxPaintedControl::Render()
{
    const wxSize client = GetClientSize();
    CClientSize size{client.x, client.y};
    if (m_pPainter)
        size = m_pPainter->BitmapSize();
    wxBitmap bitmap(std::max(size.m_nWidth, 1), std::max(size.m_nHeight, 1), 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    dc.SetFont(GetFont());
    if (m_pPainter)
    {
        CWxCanvas canvas(dc);
        m_pPainter->OnPaint(canvas);
    }
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

void CWxPaintedControl::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxBitmap bitmap = Render();
    dc.DrawBitmap(bitmap, 0, 0);
    // The part of the client area the bitmap leaves out looks erased.
    const wxSize client = GetClientSize();
    const int nWidth = bitmap.GetWidth();
    const int nHeight = bitmap.GetHeight();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(GetBackgroundColour()));
    if (client.x > nWidth)
        dc.DrawRectangle(nWidth, 0, client.x - nWidth, client.y);
    if (client.y > nHeight)
        dc.DrawRectangle(0, nHeight, std::min(nWidth, client.x), client.y - nHeight);
}

void CWxPaintedControl::OnLeftUp(wxMouseEvent& event)
{
    SetFocus();
    if (m_pPainter)
        m_pPainter->OnLButtonUp(event.GetX(), event.GetY());
    event.Skip();
}
