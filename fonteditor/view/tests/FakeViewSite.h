#pragma once

#include "FakeControlHost.h"
#include "FakeControls.h"
#include "ViewSite.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The form's controls held by id, with the glyph text box behaving as a
// real multi-line edit control: every change of its text, also one made by
// the program, raises the change notification, and a text set by the
// program empties its undo.
class CFakeFormControls final : public CControlAccess
{
public:
    // The form's two radio groups start their ids.
    CFakeFormControls(int nTextBoxId, int nWidthGroup, int nHeightGroup) : m_nTextBoxId(nTextBoxId)
    {
        m_inner.AddRadioGroup(nWidthGroup, 4);
        m_inner.AddRadioGroup(nHeightGroup, 5);
    }

    std::string GetText(int nId) override
    {
        m_log.push_back("get " + std::to_string(nId));
        return m_inner.GetText(nId);
    }
    void SetText(int nId, const std::string& strText) override
    {
        m_log.push_back("set " + std::to_string(nId));
        if (nId == m_nTextBoxId)
            m_undo.reset();
        ChangeText(nId, strText);
    }
    int GetRadioIndex(int nFirstId) override
    {
        m_log.push_back("get " + std::to_string(nFirstId));
        return m_inner.GetRadioIndex(nFirstId);
    }
    void SetRadioIndex(int nFirstId, int nIndex) override
    {
        m_log.push_back("set " + std::to_string(nFirstId));
        m_inner.SetRadioIndex(nFirstId, nIndex);
    }
    int GetSelectionIndex(int nId) override { return m_inner.GetSelectionIndex(nId); }
    void SetSelectionIndex(int nId, int nIndex) override { m_inner.SetSelectionIndex(nId, nIndex); }
    int GetCheck(int nId) override { return m_inner.GetCheck(nId); }
    void SetCheck(int nId, int nState) override { m_inner.SetCheck(nId, nState); }
    void FocusAndSelect(int nId) override { m_inner.FocusAndSelect(nId); }

    // The text as the user leaves it: undo keeps what was there before.
    void UserEdit(const std::string& strText)
    {
        m_undo = m_inner.GetText(m_nTextBoxId);
        ChangeText(m_nTextBoxId, strText);
    }

    CFakeControls m_inner;
    std::vector<std::string> m_log;
    std::optional<std::string> m_undo;
    std::function<void()> m_onTextBoxChange;

private:
    void ChangeText(int nId, const std::string& strText)
    {
        m_inner.SetText(nId, strText);
        if (nId == m_nTextBoxId && m_onTextBoxChange)
            m_onTextBoxChange();
    }

    int m_nTextBoxId;
};

// The text box's clipboard commands over the text held in the controls, with
// a selection the test sets.
class CFakeTextBox final : public CTextBox
{
public:
    CFakeTextBox(CFakeFormControls& controls, int nId) : m_controls(controls), m_nId(nId) {}

    void Cut() override
    {
        m_calls.push_back("cut");
        const std::string text = m_controls.m_inner.GetText(m_nId);
        m_strClipboard = Selected(text);
        m_controls.UserEdit(text.substr(0, Start(text)) + text.substr(End(text)));
    }
    void Copy() override
    {
        m_calls.push_back("copy");
        m_strClipboard = Selected(m_controls.m_inner.GetText(m_nId));
    }
    void Paste() override
    {
        m_calls.push_back("paste");
        const std::string text = m_controls.m_inner.GetText(m_nId);
        m_controls.UserEdit(text.substr(0, Start(text)) + m_strClipboard + text.substr(End(text)));
    }
    void Undo() override
    {
        m_calls.push_back("undo");
        if (!m_controls.m_undo)
            return;
        const std::string before = *m_controls.m_undo;
        m_controls.UserEdit(before); // an undo can itself be undone
    }

    std::string m_strClipboard;
    std::size_t m_nSelStart = 0;
    std::size_t m_nSelEnd = 0;
    std::vector<std::string> m_calls;

private:
    std::size_t Start(const std::string& text) const { return std::min(m_nSelStart, text.size()); }
    std::size_t End(const std::string& text) const
    {
        return std::clamp(m_nSelEnd, Start(text), text.size());
    }
    std::string Selected(const std::string& text) const
    {
        return text.substr(Start(text), End(text) - Start(text));
    }

    CFakeFormControls& m_controls;
    int m_nId;
};

// A scroll bar that keeps its position within its range, as a real one does.
class CFakeScrollBar final : public CScrollBar
{
public:
    void GetScrollRange(int& nMin, int& nMax) const override
    {
        nMin = m_info.m_nMin;
        nMax = m_info.m_nMax;
    }
    int GetScrollPos() const override { return m_info.m_nPos; }
    void SetScrollPos(int nPos) override
    {
        m_info.m_nPos = std::clamp(nPos, m_info.m_nMin, std::max(m_info.m_nMin, m_info.m_nMax));
        ++m_nRedraws;
    }
    void SetScrollInfo(const CScrollInfo& info) override
    {
        m_info = info;
        ++m_nRedraws;
    }

    CScrollInfo m_info;
    int m_nRedraws = 0;
};

class CRecordingDownloadLauncher final : public CDownloadLauncher
{
public:
    struct CRun
    {
        std::string m_strPath;
        int m_nWidth;
        int m_nHeight;
        bool operator==(const CRun&) const = default;
    };
    void RunDownloadDialog(const std::string& strPath, int nWidth, int nHeight) override
    {
        m_runs.push_back({strPath, nWidth, nHeight});
    }
    std::vector<CRun> m_runs;
};

// The view's window side, all of it fake.
class CFakeViewSite final : public CTypeloomViewSite
{
public:
    explicit CFakeViewSite(CUserInterface& ui) : m_ui(ui) {}

    CControlAccess& GetControls() override { return m_controls; }
    CUserInterface& GetUserInterface() override { return m_ui; }
    void BindControls() override { m_controls.m_log.push_back("bind"); }
    CTextBox& GetTextBox() override { return m_textBox; }
    CScrollBar& GetPageScrollBar() override { return m_scrollBar; }
    CControlHost& GetGridHost() override { return m_gridHost; }
    CControlHost& GetMapHost() override { return m_mapHost; }
    int GetFocusId() const override { return m_nFocusId; }
    void ResizeParentToFit() override { ++m_nResizes; }
    CDownloadLauncher& GetDownloadLauncher() override { return m_launcher; }

    CUserInterface& m_ui;
    CFakeFormControls m_controls{1006, 1002, 1010};
    CFakeTextBox m_textBox{m_controls, 1006};
    CFakeScrollBar m_scrollBar;
    CFakeControlHost m_gridHost{{384, 385}};
    CFakeControlHost m_mapHost{{584, 564}};
    CRecordingDownloadLauncher m_launcher;
    int m_nFocusId = 0;
    int m_nResizes = 0;
};
