#include "WxTypeloomForm.h"

#include "WxPaintedControl.h"
#include "WxResources.h"

#include <algorithm>

#include <wx/panel.h>
#include <wx/scrolbar.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

namespace
{
constexpr int kFormResource = 101;
constexpr int kScrollStep = 10;   // pixels a line of the form's own scroll bars
constexpr int kMinScrolled = 100; // pixels: smaller windows get no scroll bars
} // namespace

CWxTypeloomForm::CWxTypeloomForm(wxWindow* pParent, CTypeloomDoc& doc)
    : wxScrolledWindow(pParent, wxID_ANY), m_view(doc, m_controls, m_ui, m_gridHost, m_mapHost)
{
    m_pPanel = new wxPanel;
    LoadXrcPanel(*m_pPanel, this, kFormResource);
    m_mapHost.Bind(
        CWxPaintedControl::ReplacePlaceholder(*m_pPanel, kIdCharMap, &m_view.GetCharMap()));
    m_gridHost.Bind(
        CWxPaintedControl::ReplacePlaceholder(*m_pPanel, kIdGlyphGrid, &m_view.GetGlyphGrid()));

    // The text the view puts in the box leaves the box nothing to undo.
    m_textBox.Attach(dynamic_cast<wxTextCtrl*>(m_controls.Find(kIdGlyphText)));
    m_textBox.m_onChange = [this] { m_view.OnChangeGlyphText(); };
    m_controls.m_onTextSet = [this](int nId, const std::string& strText)
    {
        if (nId == kIdGlyphText)
            m_textBox.OnTextSet(strText);
    };
    m_scrollBar.Attach(dynamic_cast<wxScrollBar*>(m_controls.Find(kIdPageScrollBar)),
                       [this](EScrollRequest request, int nThumbPos)
                       {
                           m_view.OnVScroll(request, nThumbPos, kIdPageScrollBar);
                           return m_view.GetPageScroll();
                       });

    SetVirtualSize(m_pPanel->GetSize());
    SetBackgroundColour(m_pPanel->GetBackgroundColour());
    // Scroll bars only while the window is smaller than the form.
    Bind(wxEVT_SIZE,
         [this](wxSizeEvent& event)
         {
             const wxSize form = m_pPanel->GetSize();
             const wxSize client = event.GetSize();
             // A window made at a token size before its frame lays it out
             // gets none: scroll bars do not fit there.
             const bool bScroll = (client.x < form.x || client.y < form.y) &&
                                  client.x >= kMinScrolled && client.y >= kMinScrolled;
             SetScrollRate(bScroll ? kScrollStep : 0, bScroll ? kScrollStep : 0);
             event.Skip();
         });

    m_pPanel->Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_view.OnApply(); }, kIdApply);
    // The page keys walk the font wherever the focus is in the form; the
    // glyph's text box, a few rows high, would otherwise take them.
    Bind(wxEVT_CHAR_HOOK,
         [this](wxKeyEvent& event)
         {
             const bool bCtrl = event.GetModifiers() == wxMOD_CONTROL;
             const bool bPlain = event.GetModifiers() == wxMOD_NONE;
             int nCommand = 0;
             if (bPlain && event.GetKeyCode() == WXK_PAGEUP)
                 nCommand = kCmdPagePrevious;
             else if (bPlain && event.GetKeyCode() == WXK_PAGEDOWN)
                 nCommand = kCmdPageNext;
             else if (bCtrl && event.GetKeyCode() == WXK_HOME)
                 nCommand = kCmdPageFirst;
             else if (bCtrl && event.GetKeyCode() == WXK_END)
                 nCommand = kCmdPageLast;
             if (!nCommand || !m_view.OnPageCommand(nCommand))
                 event.Skip();
         });
}

CWxTypeloomForm::~CWxTypeloomForm()
{
    // The controls' windows go before the members they paint and call: the
    // view's grid and map, the text box, the scroll bar.
    DestroyChildren();
}

int CWxTypeloomForm::GetFocusId() const
{
    const wxWindow* pFocus = wxWindow::FindFocus();
    for (const wxWindow* pWindow = pFocus; pWindow; pWindow = pWindow->GetParent())
    {
        if (pWindow == m_pPanel)
            return pFocus != m_pPanel && pFocus->GetId() > 0 ? pFocus->GetId() : 0;
        if (pWindow->IsTopLevel())
            break;
    }
    return 0;
}

void CWxTypeloomForm::ResizeParentToFit()
{
    // Document windows are always maximised; only a window that is not
    // would shrink around the form.
    wxWindow* pParent = GetParent();
    const auto* pFrame = dynamic_cast<const wxTopLevelWindow*>(pParent);
    if (!pParent || (pFrame && pFrame->IsMaximized()))
        return;
    const wxSize form = m_pPanel->GetSize();
    const wxSize client = pParent->GetClientSize();
    if (client.x > form.x || client.y > form.y)
        pParent->SetClientSize(std::min(client.x, form.x), std::min(client.y, form.y));
}
