#pragma once

#include "FakeControls.h"
#include "RecordingUserInterface.h"
#include "WindowSites.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// Recording stand-ins for the windows of the setup utility: every request
// a window's logic makes of its window is noted, in order, as a short line
// of text ("show 0", "run main window"), and the controls are CFakeControls.

class CFakeSelectionSite final : public CSelectionWindowSite
{
public:
    void SetIcon(int nIconId) override { Note("icon " + std::to_string(nIconId)); }
    void ShowPreview(int nBitmapId) override
    {
        m_nPreview = nBitmapId;
        Note("preview " + std::to_string(nBitmapId));
    }
    void ShowWindow(bool bShow) override { Note(bShow ? "show" : "hide"); }
    void RunMainWindow() override
    {
        Note("run main window");
        if (m_onRunMainWindow)
            m_onRunMainWindow();
    }
    void EndDialog(int nResult) override { Note("end " + std::to_string(nResult)); }

    void Note(const std::string& strWhat) { m_events.push_back(strWhat); }

    std::vector<std::string> m_events;
    int m_nPreview = 0;
    // Runs as the main window would, between its start and its end.
    std::function<void()> m_onRunMainWindow;
};

class CFakeTabControl final : public CTabControl
{
public:
    void InsertItem(int nItem, const std::string& strText) override
    {
        m_items.insert(m_items.begin() + nItem, strText);
    }
    int GetCurSel() override { return m_nCurSel; }
    CRect GetClientRect() override { return m_client; }

    std::vector<std::string> m_items;
    int m_nCurSel = 0;
    CRect m_client{0, 0, 600, 350};
};

class CFakeMainWindowSite final : public CMainWindowSite
{
public:
    // The radio groups of the pages, as their resources have them.
    CFakeMainWindowSite()
    {
        m_pages[131].AddRadioGroup(1002, 2);
        m_pages[132].AddRadioGroup(1023, 2);
        m_pages[148].AddRadioGroup(1039, 5);
    }

    CControlAccess& Controls() override { return m_controls; }
    CTabControl& Tabs() override { return m_tabs; }
    CUserInterface& UserInterface() override { return m_ui; }
    CUserInterface& OwnerlessUserInterface() override { return m_ownerlessUi; }

    CControlAccess& PageControls(int nDialogId) override { return m_pages[nDialogId]; }
    CUserInterface& PageUserInterface(int nDialogId) override { return m_pageUis[nDialogId]; }
    void CreatePage(int nDialogId) override
    {
        m_pageRects[nDialogId]; // created, not placed yet
        m_shownPages[nDialogId] = false;
        Note("create " + std::to_string(nDialogId));
    }
    void MovePage(int nDialogId, const CRect& rect) override { m_pageRects[nDialogId] = rect; }
    void ShowPage(int nDialogId, bool bShow) override { m_shownPages[nDialogId] = bShow; }

    void SetCaption(const std::string& strCaption) override { m_captions.push_back(strCaption); }
    void SetButtonIcon(int nButtonId, int nIconId) override { m_buttonIcons[nButtonId] = nIconId; }
    void GrayMenuItem(int nMenu, int nPosition) override
    {
        Note("gray " + std::to_string(nMenu) + "/" + std::to_string(nPosition));
    }
    void AddToolTip(int nControlId, const std::string& strText) override
    {
        m_toolTips[nControlId] = strText;
    }
    void ActivateToolTips() override { Note("tooltips on"); }
    void CloseWindowByCaption(const std::string& strCaption) override
    {
        Note("close \"" + strCaption + "\"");
    }
    void EndDialog(int nResult) override { Note("end " + std::to_string(nResult)); }

    void Note(const std::string& strWhat) { m_events.push_back(strWhat); }
    // The pages whose windows show, in id order.
    std::vector<int> ShownPages() const
    {
        std::vector<int> shown;
        for (const auto& [nId, bShown] : m_shownPages)
            if (bShown)
                shown.push_back(nId);
        return shown;
    }

    CFakeControls m_controls;
    CFakeTabControl m_tabs;
    CRecordingUserInterface m_ui;
    CRecordingUserInterface m_ownerlessUi;
    std::map<int, CFakeControls> m_pages;
    std::map<int, CRecordingUserInterface> m_pageUis;
    std::map<int, CRect> m_pageRects;
    std::map<int, bool> m_shownPages;
    std::vector<std::string> m_captions;
    std::map<int, int> m_buttonIcons;
    std::map<int, std::string> m_toolTips;
    std::vector<std::string> m_events;
};
