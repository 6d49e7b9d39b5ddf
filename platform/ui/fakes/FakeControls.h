#pragma once

#include "DataExchange.h"
#include "ListItems.h"

#include <map>
#include <string>
#include <vector>

// Test double of the controls: values, items and visibility held by id.
// Radio groups and selection lists behave as the real controls do: a radio
// index names one button of the group, a selection index must name an
// existing item or is -1. Controls are shown and enabled until told otherwise.
//
// A value's control is a radio group once AddRadioGroup made it one, a list
// once SetItems filled it, and otherwise a check box (m_checks).
class CFakeControls final : public CControlAccess
{
public:
    std::string GetText(int nId) override { return m_texts[nId]; }
    void SetText(int nId, const std::string& strText) override { m_texts[nId] = strText; }

    int GetValue(int nId) override;
    void SetValue(int nId, int nValue) override;

    void FocusAndSelect(int nId) override { m_focusAndSelect.push_back(nId); }

    // A recording bar of that id (one is made on first use).
    CProgressBarWindow FindProgressBar(int nId) override
    {
        return [pBar = &m_progressBars[nId]](const CProgressState& state) { pBar->Show(state); };
    }

    // A radio group of nCount buttons starting at nFirstId; none checked.
    void AddRadioGroup(int nFirstId, int nCount);
    // The items of a list or combo box; the selection becomes -1.
    void SetItems(int nId, std::vector<std::string> items) override;
    const std::vector<std::string>& Items(int nId) { return m_items[nId]; }

    void ShowControl(int nId, bool bShow) override { m_hidden[nId] = !bShow; }
    void EnableControl(int nId, bool bEnable) override { m_disabled[nId] = !bEnable; }
    bool IsShown(int nId) { return !m_hidden[nId]; }
    bool IsEnabled(int nId) { return !m_disabled[nId]; }

    void SetScrollInfo(int nId, const CScrollInfo& info) override
    {
        m_scrollBars[nId].push_back(info);
    }
    // What the scroll bar shows last; 0s before anything was shown.
    CScrollInfo ScrollInfo(int nId)
    {
        return m_scrollBars[nId].empty() ? CScrollInfo{} : m_scrollBars[nId].back();
    }
    std::map<int, std::vector<CScrollInfo>> m_scrollBars; // every state shown, in order

    std::map<int, std::string> m_texts;
    std::map<int, int> m_checks;
    std::vector<int> m_focusAndSelect;

    // A progress bar that keeps what it was told to show.
    struct CRecordingProgressBar
    {
        void Show(const CProgressState& state)
        {
            m_nLower = state.m_nLower;
            m_nUpper = state.m_nUpper;
            m_positions.push_back(state.m_nPos);
        }
        int Pos() const { return m_positions.empty() ? 0 : m_positions.back(); }

        int m_nLower = 0;
        int m_nUpper = 0;
        std::vector<int> m_positions; // every position shown, in order
    };
    std::map<int, CRecordingProgressBar> m_progressBars;

private:
    struct CRadioGroup
    {
        int m_nCount = 0;
        int m_nChecked = -1;
    };
    std::map<int, CRadioGroup> m_radios;
    std::map<int, std::vector<std::string>> m_items;
    std::map<int, int> m_selections;
    std::map<int, bool> m_hidden;
    std::map<int, bool> m_disabled;
};
