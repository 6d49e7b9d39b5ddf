#pragma once

#include "Clock.h"
#include "ConnectionFile.h"
#include "Diagnostic.h"
#include "Polelink.h"
#include "Settings.h"
#include "SettingsFileCommands.h"
#include "Updata.h"
#include "VF510.h"
#include "WindowSites.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The main window (dialog 129, menu 130): for the model of the connection
// file, the pages in a tab control (or the single page of the model
// "VF510"), five tool bar buttons, a menu and a status line. It owns one
// object of each page class; their windows exist only for the pages the
// model uses. It opens the serial connection when it starts and leaves it
// open: the selection window's next OK closes it.
class Display_Set
{
public:
    // Dialog ids of the pages.
    static constexpr int kSettingsPage = 131;
    static constexpr int kUpdataPage = 132;
    static constexpr int kDiagnosticPage = 134;
    static constexpr int kVF510Page = 148;

    static constexpr int kOpenButton = 1007;
    static constexpr int kSaveButton = 1008;
    static constexpr int kFirmwareButton = 1009;
    static constexpr int kInformationButton = 1010;
    static constexpr int kHelpButton = 1011;
    static constexpr int kTabControl = 1012;
    static constexpr int kBaudText = 1028;
    static constexpr int kPortText = 1029;

    // Menu 130.
    static constexpr int kReselectDisplayItem = 32771;
    static constexpr int kSaveAsItem = 32773;
    static constexpr int kExitItem = 32774;
    static constexpr int kUpdateFirmwareItem = 32775;
    static constexpr int kShowInformationItem = 32776;
    static constexpr int kUserManualItem = 32778;
    static constexpr int kSaveItem = 57604;
    // The menu "Drives" and the positions of "Save" and "Save as..." in it.
    static constexpr int kDrivesMenu = 0;
    static constexpr int kSavePosition = 2;
    static constexpr int kSaveAsPosition = 3;

    Display_Set(CMainWindowSite& site, CPolelink& polelink, CClock& clock,
                std::string strConnectionPath = kConnectionFilePath);

    void OnInitDialog();
    // The tab control reports a new selection.
    void OnSelChangeTab();
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

    // The pages, as the window sees them.
    Diagnostic& GetDiagnostic() { return m_diagnostic; }
    Settings& GetSettings() { return m_settings; }
    Updata& GetUpdata() { return m_updata; }
    VF510& GetVF510() { return m_vf510; }
    const std::string& GetModel() const { return m_strModel; }

private:
    void BuildPageSet();
    void CreatePage(int nDialogId);
    void ExitWithConfirmation();

    CMainWindowSite& m_site;
    CPolelink& m_polelink;
    CConnectionFile m_connectionFile;

    Diagnostic m_diagnostic;
    Settings m_settings;
    Updata m_updata;
    VF510 m_vf510;
    std::string m_strModel; // at most 19 bytes, as the connection file gives it
    std::string m_strPortText;
    std::string m_strBaudText;

    // The page of each tab, in tab order, and every page window the model has.
    std::vector<int> m_tabPages;
    std::vector<int> m_pageWindows;
    std::optional<CSettingsFileCommands> m_fileCommands;
};

// The button icons, one per tool bar button from 1007 on.
inline constexpr std::array kButtonIcons{142, 144, 146, 140, 138};
inline constexpr std::array kButtonToolTips{"Open Setting File", "Save Setting File",
                                            "Update Firmware", "Show Information", "Help"};

inline constexpr const char* kUntitledSuffix = "-Untitled.ini";
inline constexpr const char* kMsgConfirmExit = "Confirm the exit?!";
inline constexpr const char* kSelectionWindowCaption = "Tallyboard";
