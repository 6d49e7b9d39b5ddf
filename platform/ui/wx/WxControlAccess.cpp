#include "WxControlAccess.h"

#include "WxProgressBar.h"
#include "WxRadioGroup.h"
#include "WxText.h"

#include <algorithm>
#include <deque>

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace
{
// The first item that starts with strText, ignoring case, as the selection
// of lists by text has always worked; wxNOT_FOUND when there is none.
int FindItemStartingWith(const wxItemContainerImmutable& items, const wxString& strText)
{
    const wxString prefix = strText.Lower();
    for (unsigned i = 0; i < items.GetCount(); ++i)
        if (items.GetString(i).Lower().StartsWith(prefix))
            return static_cast<int>(i);
    return wxNOT_FOUND;
}

template <typename T>
T* FindAs(CWxControlAccess& access, int nId, const char* pszKind)
{
    wxWindow* pWindow = access.Find(nId);
    if (!pWindow)
        return nullptr;
    T* pControl = dynamic_cast<T*>(pWindow);
    wxASSERT_MSG(pControl, wxString::Format("control %d is not %s", nId, pszKind));
    return pControl;
}

std::vector<wxRadioButton*> GroupStartingAt(wxRadioButton& first)
{
    wxASSERT_MSG(first.HasFlag(wxRB_GROUP),
                 wxString::Format("radio button %d does not start a group", first.GetId()));
    return RadioButtonsOfGroup(first);
}
} // namespace

wxWindow* FindControl(const wxWindow& window, int nId)
{
    std::deque<const wxWindow*> pending{&window};
    while (!pending.empty())
    {
        const wxWindow* pParent = pending.front();
        pending.pop_front();
        for (wxWindow* pChild : pParent->GetChildren())
        {
            if (pChild->GetId() == nId)
                return pChild;
            // Another top-level window (an open dialog) has controls of its own.
            if (!pChild->IsTopLevel())
                pending.push_back(pChild);
        }
    }
    return nullptr;
}

CWxControlAccess::CWxControlAccess(wxWindow& window) : m_window(window) {}

CWxControlAccess::~CWxControlAccess() = default;

CProgressBarWindow CWxControlAccess::FindProgressBar(int nId)
{
    auto& pBar = m_progressBars[nId];
    if (!pBar)
    {
        auto* pGauge = FindAs<wxGauge>(*this, nId, "a progress bar");
        if (!pGauge)
            return {};
        pBar = std::make_unique<CWxProgressBar>(*pGauge);
    }
    return [pShown = pBar.get()](const CProgressState& state) { pShown->Show(state); };
}

wxWindow* CWxControlAccess::Find(int nId)
{
    // The window's own id names the window: its text is the caption.
    wxWindow* pControl = nId == m_window.GetId() ? &m_window : FindControl(m_window, nId);
    wxASSERT_MSG(pControl, wxString::Format("no control %d in window %d", nId, m_window.GetId()));
    return pControl;
}

std::string CWxControlAccess::GetText(int nId)
{
    wxWindow* pWindow = Find(nId);
    if (auto* pCombo = dynamic_cast<wxComboBox*>(pWindow))
        return FromWx(pCombo->GetValue());
    if (auto* pEdit = dynamic_cast<wxTextCtrl*>(pWindow))
        return FromWx(pEdit->GetValue());
    if (auto* pList = dynamic_cast<wxControlWithItems*>(pWindow))
        return FromWx(pList->GetStringSelection());
    if (auto* pStatic = dynamic_cast<wxStaticText*>(pWindow))
        return FromWx(pStatic->GetLabelText());
    return pWindow ? FromWx(pWindow->GetLabel()) : std::string();
}

void CWxControlAccess::SetText(int nId, const std::string& strText)
{
    wxWindow* pWindow = Find(nId);
    const wxString text = ToWx(strText);
    if (auto* pCombo = dynamic_cast<wxComboBox*>(pWindow))
    {
        const int nItem = text.empty() ? wxNOT_FOUND : FindItemStartingWith(*pCombo, text);
        if (nItem != wxNOT_FOUND)
            pCombo->SetSelection(nItem);
        else
            pCombo->ChangeValue(text);
    }
    else if (auto* pEdit = dynamic_cast<wxTextCtrl*>(pWindow))
        pEdit->ChangeValue(text);
    else if (auto* pList = dynamic_cast<wxControlWithItems*>(pWindow))
    {
        // A list without a matching item keeps its selection.
        const int nItem = FindItemStartingWith(*pList, text);
        if (nItem != wxNOT_FOUND)
            pList->SetSelection(nItem);
    }
    else if (auto* pStatic = dynamic_cast<wxStaticText*>(pWindow))
        pStatic->SetLabelText(text);
    else if (pWindow)
        pWindow->SetLabel(text);
    if (m_onTextSet)
        m_onTextSet(nId, strText);
}

std::vector<wxRadioButton*> CWxControlAccess::RadioGroup(int nFirstId)
{
    auto* pFirst = FindAs<wxRadioButton>(*this, nFirstId, "a radio button");
    return pFirst ? GroupStartingAt(*pFirst) : std::vector<wxRadioButton*>();
}

int CWxControlAccess::GetValue(int nId)
{
    wxWindow* pWindow = Find(nId);
    if (auto* pFirst = dynamic_cast<wxRadioButton*>(pWindow))
    {
        const std::vector<wxRadioButton*> group = GroupStartingAt(*pFirst);
        for (std::size_t i = 0; i < group.size(); ++i)
            if (group[i]->GetValue())
                return static_cast<int>(i);
        return -1;
    }
    if (auto* pList = dynamic_cast<wxControlWithItems*>(pWindow))
        return pList->GetSelection();
    if (auto* pBox = dynamic_cast<wxCheckBox*>(pWindow))
    {
        switch (pBox->Get3StateValue())
        {
        case wxCHK_CHECKED:
            return 1;
        case wxCHK_UNDETERMINED:
            return 2;
        default:
            return 0;
        }
    }
    wxASSERT_MSG(!pWindow, wxString::Format("control %d holds no value", nId));
    return -1;
}

void CWxControlAccess::SetValue(int nId, int nValue)
{
    wxWindow* pWindow = Find(nId);
    if (auto* pFirst = dynamic_cast<wxRadioButton*>(pWindow))
    {
        const std::vector<wxRadioButton*> group = GroupStartingAt(*pFirst);
        if (nValue >= 0 && nValue < static_cast<int>(group.size()))
            group[nValue]->SetValue(true);
        else
            ClearRadioButtons(group);
    }
    else if (auto* pList = dynamic_cast<wxControlWithItems*>(pWindow))
    {
        // An index outside the list selects nothing, as with the native lists.
        const bool bInRange = nValue >= 0 && nValue < static_cast<int>(pList->GetCount());
        pList->SetSelection(bInRange ? nValue : wxNOT_FOUND);
    }
    else if (auto* pBox = dynamic_cast<wxCheckBox*>(pWindow))
    {
        if (nValue == 2 && pBox->Is3State())
            pBox->Set3StateValue(wxCHK_UNDETERMINED);
        else
            pBox->SetValue(nValue != 0);
    }
    else
        wxASSERT_MSG(!pWindow, wxString::Format("control %d holds no value", nId));
}

void CWxControlAccess::FocusAndSelect(int nId)
{
    wxWindow* pWindow = Find(nId);
    if (!pWindow)
        return;
    pWindow->SetFocus();
    if (auto* pEntry = dynamic_cast<wxTextEntry*>(pWindow))
        pEntry->SelectAll();
}

void CWxControlAccess::EnableControl(int nId, bool bEnable)
{
    // A frame's menu items are named by their numbers as its controls are.
    if (auto* pFrame = dynamic_cast<wxFrame*>(&m_window); pFrame && !FindControl(m_window, nId))
    {
        const int nItemId = m_menuItemId ? m_menuItemId(nId) : nId;
        if (wxMenuBar* pMenuBar = pFrame->GetMenuBar(); pMenuBar && pMenuBar->FindItem(nItemId))
            return pMenuBar->Enable(nItemId, bEnable);
    }
    if (wxWindow* pWindow = Find(nId))
        pWindow->Enable(bEnable);
}

void CWxControlAccess::ShowControl(int nId, bool bShow)
{
    wxWindow* pWindow = Find(nId);
    if (!pWindow)
        return;
    pWindow->Show(bShow);
    // Over any sibling it shares its place with, as a page over its tabs.
    if (bShow)
        pWindow->Raise();
}

void ShowScrollInfo(wxScrollBar& bar, const CScrollInfo& info)
{
    // wx counts positions from 0 over range units, the thumb a page wide;
    // the last position leaves room for the page.
    const int nPage = std::max(info.m_nPage, 1);
    const int nMax = std::max(info.m_nMin, info.m_nMax);
    const int nLastPos = std::max(info.m_nMin, nMax - nPage + 1);
    const int nPos = std::clamp(info.m_nPos, info.m_nMin, nLastPos);
    bar.SetScrollbar(nPos - info.m_nMin, nPage, nMax - info.m_nMin + 1, nPage);
}

void CWxControlAccess::SetScrollInfo(int nId, const CScrollInfo& info)
{
    if (auto* pBar = FindAs<wxScrollBar>(*this, nId, "a scroll bar"))
        ShowScrollInfo(*pBar, info);
}

void CWxControlAccess::SetItems(int nId, std::vector<std::string> items)
{
    // A tab control's items are its tabs; what each shows is laid over it.
    if (auto* pTabs = dynamic_cast<wxBookCtrlBase*>(FindControl(m_window, nId)))
    {
        pTabs->DeleteAllPages();
        for (const std::string& item : items)
            pTabs->AddPage(new wxPanel(pTabs), ToWx(item));
        return;
    }
    auto* pList = FindAs<wxControlWithItems>(*this, nId, "a list or combo box");
    if (!pList)
        return;
    wxArrayString strings;
    for (const std::string& item : items)
        strings.Add(ToWx(item));
    pList->Set(strings);
    pList->SetSelection(wxNOT_FOUND);
}

std::vector<std::string> CWxControlAccess::GetItems(int nId)
{
    std::vector<std::string> items;
    if (auto* pList = FindAs<wxControlWithItems>(*this, nId, "a list or combo box"))
        for (const wxString& item : pList->GetStrings())
            items.push_back(FromWx(item));
    return items;
}

void CWxControlAccess::SetLabel(int nId, const std::string& strLabel)
{
    if (wxWindow* pWindow = Find(nId))
        pWindow->SetLabel(ToWx(strLabel));
}
