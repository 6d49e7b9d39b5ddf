#pragma once

#include "Clock.h"
#include "ConnectionFile.h"
#include "MainWindowSite.h"
#include "PageTable.h"
#include "Polelink.h"
#include "SettingsFileCommands.h"
#include "TallyboardCommands.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The main window (dialog 129, menu 130): for the model of the connection
// file, the pages of the page table in a tab control (or the single page of
// the model "VF510"), five tool bar buttons, a menu and a status line. A
// page's object is made with its window, only for the pages the model has.
// It opens the serial connection when it starts and leaves it open: the
// selection window's next OK closes it.
class Display_Set
{
public:
    static constexpr int kTabControl = 1012;
    static constexpr int kBaudText = 1028;
    static constexpr int kPortText = 1029;

    // ui: boxes owned by the window; ownerlessUi: boxes without an owner.
    Display_Set(CMainWindowSite& site, CControlAccess& controls, CUserInterface& ui,
                CUserInterface& ownerlessUi, CPolelink& polelink, CClock& clock,
                std::string strConnectionPath = kConnectionFilePath);

    void OnInitDialog();
    // The tab control reports a new selection: the tab, -1 for none.
    void OnSelChangeTab(int nTab);
    // Menu "Drives".
    void OnReselectDisplay();
    void OnSave();
    void OnSaveAs();
    void OnExit();
    // Menu "Help".
    void OnUserManual();
    // Tool bar.
    void OnOpenSettingFile();
    void OnSaveSettingFile();
    void OnHelp();
    // The close box.
    void OnClose();
    // Esc while one of the window's own controls has the focus.
    void OnCancel();

    // The model's pages, in the order their windows were made.
    const std::vector<CPage>& Pages() const { return m_pages; }
    // The page of class TPage, nullptr when the model has none.
    template <class TPage>
    TPage* FindPage() const
    {
        for (const CPage& page : m_pages)
            if (TPage* pPage = page.As<TPage>())
                return pPage;
        return nullptr;
    }
    const std::string& GetModel() const { return m_strModel; }

private:
    void BuildPageSet();
    // Tells the window when the serial library's failure changed.
    void CheckConnection();
    void ExitWithConfirmation();

    CMainWindowSite& m_site;
    CControlAccess& m_controls;
    CUserInterface& m_ui;
    CUserInterface& m_ownerlessUi;
    CPolelink& m_polelink;
    CClock& m_clock;
    CDisplayState m_display; // shared by the pages
    CConnectionFile m_connectionFile;

    std::string m_strModel; // at most 19 bytes, as the connection file gives it
    std::string m_strPortText;
    std::string m_strBaudText;
    std::string m_strConnectionProblem; // as the window shows it

    std::vector<CPage> m_pages;
    std::vector<int> m_tabPages; // the page of each tab, in tab order
    std::optional<CSettingsFileCommands> m_fileCommands;
};

// The menu items and buttons that command, and their handlers.
struct CMainWindowCommand
{
    int m_nId;
    bool m_bMenuItem; // else a tool bar button
    void (Display_Set::*m_pHandler)();
};
inline constexpr std::array kMainWindowCommands{
    CMainWindowCommand{kReselectDisplayItem, true, &Display_Set::OnReselectDisplay},
    CMainWindowCommand{kSaveItem, true, &Display_Set::OnSave},
    CMainWindowCommand{kSaveAsItem, true, &Display_Set::OnSaveAs},
    CMainWindowCommand{kExitItem, true, &Display_Set::OnExit},
    CMainWindowCommand{kUserManualItem, true, &Display_Set::OnUserManual},
    CMainWindowCommand{kOpenButton, false, &Display_Set::OnOpenSettingFile},
    CMainWindowCommand{kSaveButton, false, &Display_Set::OnSaveSettingFile},
    CMainWindowCommand{kHelpButton, false, &Display_Set::OnHelp},
};

// The button icons and tool tips, one per tool bar button from 1007 on.
inline constexpr std::array kButtonIcons{142, 144, 146, 140, 138};
inline constexpr std::array kButtonToolTips{"Open Setting File", "Save Setting File",
                                            "Update Firmware", "Show Information", "Help"};

inline constexpr const char* kUntitledSuffix = "-Untitled.ini";
inline constexpr const char* kMsgConfirmExit = "Confirm the exit?!";
