#pragma once

#include "Clock.h"
#include "ComboBoxControl.h"
#include "DataExchange.h"
#include "Vf620Calls.h"

#include <chrono>
#include <cstdint>
#include <string>

// Dialog resource 102 and its controls.
inline constexpr int IDD_PAGEWING_DIALOG = 102;
inline constexpr int IDC_FILE_PATH = 1000;
inline constexpr int IDC_BROWSE = 1001;
inline constexpr int IDC_AREA_LOW = 1002;  // "0x20 To 0x7F", first of the radio group
inline constexpr int IDC_AREA_HIGH = 1003; // "0x80 To 0xFF"
inline constexpr int IDC_PAGE_NO = 1004;
inline constexpr int IDC_OPEN = 1005;
inline constexpr int IDC_CLOSE = 1006;
inline constexpr int IDC_PORT = 1010;
inline constexpr int IDC_PARITY = 1011;
inline constexpr int IDC_BAUD = 1012;
inline constexpr int IDC_DOWNLOAD_SINGLE_PAGE = 1013;
inline constexpr int IDC_DOWNLOAD_ALL = 1014;
inline constexpr int IDC_STATUS = 1016;
inline constexpr int IDC_DISPLAY_ASCII = 1017;
inline constexpr int IDC_DISPLAY_PC = 1018;
inline constexpr int IDC_CLEAR_DISPLAY = 1019;
// The program's icon.
inline constexpr int IDR_MAINFRAME = 128;

// Message boxes.
inline constexpr const char* kMsgOpenPortFail = "Open port fail!";
inline constexpr const char* kMsgClosePortFail = "Close port fail!";
inline constexpr const char* kMsgSetPageFirst = "Please set the page number first!";
// Status texts.
inline constexpr const char* kStatusPortNotOpened = "Port not opened!";
inline constexpr const char* kStatusDownloadComplete = "Download file complete!";
inline constexpr const char* kStatusDownloadFail = "Download file fail!";
inline constexpr const char* kStatusSinglePageComplete = "Download file single page complete!";
inline constexpr const char* kStatusSinglePageFail = "Download file single page fail!";
inline constexpr const char* kStatusAsciiComplete = "Display ASCII complete!";
inline constexpr const char* kStatusPcComplete = "Display PC complete!";
inline constexpr const char* kStatusClearComplete = "Clear Display complete!";
inline constexpr const char* kStatusClearFail = "Clear Display fail!";

// The file types of "Browse".
inline constexpr const char* kFontFileFilter =
    "Dat Files *.dat|*.dat|Bin Files *.bin|*.bin|All Files(*.*)|*.*|";

// The baud rate passed to the library: the decimal number at the start of
// the text, 0 when it does not start with a digit; numbers too large for
// the argument give its largest value.
std::int32_t BaudFromText(const std::string& strText);

// Pagewing's one dialog: opens the library's port, downloads a font file's
// character area (all pages or one), shows the test screens and clears the
// display. Every device operation is a call into the driver library.
//
// Each button handler takes the entries into the members first and shows
// the members again last, so the status edit shows the new status text.
class CPagewingDlg final : public CDataExchangeForm
{
public:
    CPagewingDlg(CControlAccess& controls, CUserInterface& ui, CVf620Calls& driver,
                 CClock& clock = CClock::Real())
        : CDataExchangeForm(controls, ui), m_cbPageList(controls, IDC_PAGE_NO), m_driver(driver),
          m_clock(clock)
    {
    }

    CComboBoxControl m_cbPageList;
    std::string m_strFilePath;
    std::int32_t m_nPortIndex = 0;   // "COM1"; the port number is the index + 1
    std::int32_t m_nParityIndex = 0; // "No"; the index is the parity code
    std::string m_strBaud = "9600";
    std::int32_t m_nArea = 0;      // 0 = "0x20 To 0x7F", 1 = "0x80 To 0xFF"
    std::int32_t m_nPageIndex = 0; // page "1"; -1 = none selected
    std::string m_strStatus;
    std::int32_t m_nPortOpen = 0; // the result of the last successful open
    int m_nIcon = IDR_MAINFRAME;  // the resource the shell shows as the icons

    // Shows the members: "0x20 To 0x7F", "COM1", "No", "9600", page "1".
    bool OnInitDialog();

    void OnBrowse();
    void OnOpen();
    void OnClose();
    void OnAreaLow();  // "0x20 To 0x7F"
    void OnAreaHigh(); // "0x80 To 0xFF"
    void OnDownloadAll();
    void OnDownloadSinglePage();
    void OnDisplayAscii();
    void OnDisplayPc();
    void OnClearDisplay();
    // OK (id 1) does nothing, so Enter never closes the dialog.
    void OnOK() {}

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void FillPageList(int nPages);
    void ShowTestScreens(const std::uint8_t (&prefix)[3], std::uint8_t nFirst, std::uint8_t nLast);

    CVf620Calls& m_driver;
    CClock& m_clock;
};
