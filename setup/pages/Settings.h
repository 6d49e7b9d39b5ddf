#pragma once

#include "DataExchange.h"
#include "ListItems.h"
#include "PageBytes.h"
#include "PageCommand.h"
#include "Polelink.h"
#include "SettingsFile.h"

#include <array>
#include <cstdint>
#include <initializer_list>

// The display settings page (dialog 131) of the setup utility's main window:
// baud rate, contrast, display language, international character set and
// code table, sent to the display as command bytes through the serial
// library. Nothing is read back from the display.
//
// The page fills its lists itself when it starts, so the item texts exist
// once, here; the window's resource holds the controls only.
class Settings : public CDataExchangeForm
{
public:
    static constexpr int kDialogId = 131;
    static constexpr int kInternationalRadio = 1002; // first of the language group
    static constexpr int kChineseRadio = 1003;
    static constexpr int kCodeTableList = 1017;
    static constexpr int kFontTypeList = 1018;
    static constexpr int kBaudRateList = 1020;
    static constexpr int kContrastList = 1021;
    static constexpr int kCharSetList = 1022;
    static constexpr int kResetButton = 1007;
    static constexpr int kRetrieveButton = 1008; // hidden and disabled, no action
    static constexpr int kUpdateButton = 1009;
    static constexpr int kBaudRateLabel = 1042;
    static constexpr int kContrastLabel = 1043;

    Settings(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink,
             CDisplayState& display);

    // Fills the lists and shows the values.
    void OnInitDialog();
    // "Update": sends the controls' choices, one library call a command.
    void OnUpdate();
    // "Reset": the values every display starts from; nothing is sent.
    void OnReset();
    // The page as the model "VF620" has it, made by the main window right
    // after it creates the page (and before it shows it): its own code
    // tables, no "Chinese", and the baud rate set by the display's switches
    // instead of the list (which still sends when it holds a selection).
    void AdaptToVF620();

    // The five values a settings file stores (the Chinese font type is not
    // stored), and back; neither touches the controls.
    CSettingsValues GetFileValues() const;
    void SetFileValues(const CSettingsValues& values);

    int m_nBaudIndex = -1;     // list 1020, -1 for no selection
    int m_nContrastIndex = -1; // list 1021
    int m_nLanguage = 0;       // 0 "International Language", 1 "Chinese", -1 neither
    int m_nCharSetIndex = 0;   // list 1022
    int m_nCodeTableIndex = 0; // list 1017
    int m_nFontTypeIndex = 0;  // list 1018, neither sent nor stored

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void Send(std::initializer_list<std::uint8_t> bytes);

    CPolelink& m_polelink;
    CDisplayState& m_display;
    bool m_bVF620Tables = false; // the list holds the VF620's code tables
};

// What the page's controls command, for its window to bind.
inline constexpr std::array kSettingsCommands{
    CPageCommand<Settings>{Settings::kResetButton, EPageEvent::Click, &Settings::OnReset},
    CPageCommand<Settings>{Settings::kUpdateButton, EPageEvent::Click, &Settings::OnUpdate},
};

inline constexpr std::array kBaudRateItems{"1200", "2400", "4800", "9600", "19200", "38400"};
// The digit of 02 05 42 d 03 for each item of kBaudRateItems.
inline constexpr std::array<std::uint8_t, 6> kBaudRateDigits{'3', '2', '1', '0', '7', '6'};
inline constexpr std::array kContrastItems{"40%", "60%", "80%", "100%"};
inline constexpr std::array kCharSetItems{
    "USA",   "France", "Germany",    "U.K",      "Denmark I", "Sweden",   "Italy",       "Spain",
    "Japan", "Norway", "Denmark II", "Slavonic", "Hebrew",    "Reserved", "User Defined"};
inline constexpr std::array kCodeTableItems{
    "PC437", "PC850",  "PC866", "PC1254", "PC862", "PC860", "PC864",    "PC1257",
    "PC737", "PC1252", "PC852", "PC858",  "PC863", "PC865", "Slavonic", "User Defined"};
inline constexpr std::array kVF620CodeTableItems{
    "PC437", "PC850", "PC866", "PC737", "PC862", "PC10 for TM55-08", "PC864", "PC852"};
inline constexpr std::array kFontTypeItems{"Simplified", "Traditional"};

inline constexpr const char* kVF620BaudRateLabel = "The DIP switches setting baud rate.";
inline constexpr const char* kMsgSettingsApplied = "设置已生效，重启客显后使用新的设置";
inline constexpr const char* kCaptionHint = "提示";

// The byte n of 1B 52 n and 1B 74 n for a list index: the index itself,
// except that 13 and 14 trade places: 13 sends 0x0E and 14 sends 0x0D. The
// same for both lists, whatever texts they hold.
std::uint8_t SelectionCommandByte(int nIndex);
