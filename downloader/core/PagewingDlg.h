#pragma once

#include "Clock.h"
#include "ComboBoxControl.h"
#include "DataExchange.h"
#include "PagewingIds.h"
#include "Vf620Calls.h"

#include <chrono>
#include <cstdint>
#include <string>

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
