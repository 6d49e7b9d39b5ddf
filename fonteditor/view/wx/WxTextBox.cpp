#include "WxTextBox.h"

#include "WxText.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/textctrl.h>

void CWxTextBox::Attach(wxTextCtrl* pText)
{
    m_pText = pText;
    if (!m_pText)
        return;
    m_undo.Reset(FromWx(m_pText->GetValue()));
    m_pText->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnUserChange(); });
}

void CWxTextBox::OnTextSet(const std::string& strText)
{
    m_undo.Reset(strText);
}

void CWxTextBox::OnUserChange()
{
    const wxString value = m_pText->GetValue();
    const long nCaret = m_pText->GetInsertionPoint();
    m_undo.Typed(FromWx(value), FromWx(value.Left(static_cast<std::size_t>(nCaret))).size());
    if (m_onChange)
        m_onChange();
}

void CWxTextBox::ReplaceAll(const wxString& strText, long nCaret)
{
    // One change, one notification: a replacement of the toolkit's own
    // would report the removal and the insertion apart.
    m_pText->ChangeValue(strText);
    m_pText->SetInsertionPoint(nCaret);
    if (m_onChange)
        m_onChange();
}

bool CWxTextBox::SelectionToClipboard()
{
    const wxString selection = m_pText->GetStringSelection();
    if (selection.empty())
        return false;
    wxClipboardLocker locker;
    if (!locker)
        return false;
    wxTheClipboard->SetData(new wxTextDataObject(selection));
    wxTheClipboard->Flush();
    return true;
}

void CWxTextBox::Copy()
{
    if (m_pText)
        SelectionToClipboard();
}

void CWxTextBox::Cut()
{
    if (!m_pText || !SelectionToClipboard())
        return;
    long nFrom = 0, nTo = 0;
    m_pText->GetSelection(&nFrom, &nTo);
    wxString text = m_pText->GetValue();
    text.erase(static_cast<std::size_t>(nFrom), static_cast<std::size_t>(nTo - nFrom));
    m_undo.Replaced(FromWx(text));
    ReplaceAll(text, nFrom);
}

void CWxTextBox::Paste()
{
    if (!m_pText)
        return;
    wxTextDataObject data;
    {
        wxClipboardLocker locker;
        if (!locker || !wxTheClipboard->GetData(data))
            return;
    }
    const wxString pasted = data.GetText();
    long nFrom = 0, nTo = 0;
    m_pText->GetSelection(&nFrom, &nTo);
    wxString text = m_pText->GetValue();
    text.replace(static_cast<std::size_t>(nFrom), static_cast<std::size_t>(nTo - nFrom), pasted);
    m_undo.Replaced(FromWx(text));
    ReplaceAll(text, nFrom + static_cast<long>(pasted.length()));
}

void CWxTextBox::Undo()
{
    if (!m_pText)
        return;
    if (const auto restored = m_undo.Undo())
    {
        const wxString text = ToWx(*restored);
        ReplaceAll(text, static_cast<long>(text.length()));
    }
}
