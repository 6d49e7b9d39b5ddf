#pragma once

#include "FakeControlHost.h"
#include "FakeControls.h"
#include "ViewSite.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The form's controls held by id, logging each access. The glyph text box
// behaves as a real multi-line edit: every change of its text, also one the
// program makes, raises the change notification; a text the program sets
// empties its undo, an edit of the user's keeps the text before it.
class CFakeFormControls final : public CControlAccess
{
public:
    CFakeFormControls(int nTextBoxId, int nWidthGroup, int nHeightGroup) : m_nTextBoxId(nTextBoxId)
    {
        m_inner.AddRadioGroup(nWidthGroup, 4);
        m_inner.AddRadioGroup(nHeightGroup, 5);
    }

    std::string GetText(int nId) override { return Log("get", nId), m_inner.GetText(nId); }
    void SetText(int nId, const std::string& strText) override
    {
        Log("set", nId);
        if (nId == m_nTextBoxId)
            m_undo.reset();
        ChangeText(nId, strText);
    }
    int GetRadioIndex(int nFirstId) override
    {
        return Log("get", nFirstId), m_inner.GetRadioIndex(nFirstId);
    }
    void SetRadioIndex(int nFirstId, int nIndex) override
    {
        Log("set", nFirstId);
        m_inner.SetRadioIndex(nFirstId, nIndex);
    }
    int GetSelectionIndex(int nId) override { return m_inner.GetSelectionIndex(nId); }
    void SetSelectionIndex(int nId, int nIndex) override { m_inner.SetSelectionIndex(nId, nIndex); }
    int GetCheck(int nId) override { return m_inner.GetCheck(nId); }
    void SetCheck(int nId, int nState) override { m_inner.SetCheck(nId, nState); }
    void FocusAndSelect(int nId) override { m_inner.FocusAndSelect(nId); }
    void SetItems(int nId, std::vector<std::string> items) override
    {
        m_inner.SetItems(nId, std::move(items));
    }
    void ShowControl(int nId, bool bShow) override { m_inner.ShowControl(nId, bShow); }
    void EnableControl(int nId, bool bEnable) override { m_inner.EnableControl(nId, bEnable); }

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
    void Log(const char* pszWhat, int nId)
    {
        m_log.push_back(pszWhat + (" " + std::to_string(nId)));
    }
    void ChangeText(int nId, const std::string& strText)
    {
        m_inner.SetText(nId, strText);
        if (nId == m_nTextBoxId && m_onTextBoxChange)
            m_onTextBoxChange();
    }

    int m_nTextBoxId;
};

// The text box's clipboard commands over its text in the controls, with a
// selection [m_nSelStart, m_nSelEnd) the test sets.
class CFakeTextBox final : public CTextBox
{
public:
    CFakeTextBox(CFakeFormControls& controls, int nId) : m_controls(controls), m_nId(nId) {}

    void Cut() override
    {
        Copy();
        m_calls.back() = "cut";
        Replace("");
    }
    void Copy() override
    {
        m_calls.push_back("copy");
        const std::string text = m_controls.m_inner.GetText(m_nId);
        m_strClipboard = text.substr(std::min(m_nSelStart, text.size()), m_nSelEnd - m_nSelStart);
    }
    void Paste() override
    {
        m_calls.push_back("paste");
        Replace(m_strClipboard);
    }
    void Undo() override
    {
        m_calls.push_back("undo");
        if (const auto before = m_controls.m_undo)
            m_controls.UserEdit(*before);
    }

    std::string m_strClipboard;
    std::size_t m_nSelStart = 0;
    std::size_t m_nSelEnd = 0;
    std::vector<std::string> m_calls;

private:
    void Replace(const std::string& strWith)
    {
        std::string text = m_controls.m_inner.GetText(m_nId);
        m_controls.UserEdit(text.replace(m_nSelStart, m_nSelEnd - m_nSelStart, strWith));
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

// The view's window side, all of it fake.
class CFakeViewSite final : public CTypeloomViewSite, public CDownloadLauncher
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
    CDownloadLauncher& GetDownloadLauncher() override { return *this; }
    void RunDownloadDialog(const std::string& strPath, int nWidth, int nHeight) override
    {
        m_downloads.push_back(strPath + " " + std::to_string(nWidth) + "x" +
                              std::to_string(nHeight));
    }

    CUserInterface& m_ui;
    CFakeFormControls m_controls{1006, 1002, 1010};
    CFakeTextBox m_textBox{m_controls, 1006};
    CFakeScrollBar m_scrollBar;
    CFakeControlHost m_gridHost{{384, 385}};
    CFakeControlHost m_mapHost{{584, 564}};
    std::vector<std::string> m_downloads;
    int m_nFocusId = 0;
    int m_nResizes = 0;
};
