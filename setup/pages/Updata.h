#pragma once

#include "Clock.h"
#include "DataExchange.h"
#include "ListItems.h"
#include "PageCommand.h"
#include "Polelink.h"

#include <array>
#include <string>

// The font update page (dialog 132) of the setup utility's main window:
// sends a font file to the display through the serial library, all pages
// of a character area or one page, and shows the display's character screens.
// The page never opens or closes the connection; the main window owns it.
class Updata : public CDataExchangeForm
{
public:
    static constexpr int kDialogId = 132;
    static constexpr int kFontPathEdit = 1013;
    static constexpr int kBrowseButton = 1007;
    static constexpr int kUpdateAllButton = 1008;
    static constexpr int kUpdateSingleButton = 1009;
    static constexpr int kSelfTestButton = 1010;
    static constexpr int kInternationalButton = 1011;
    static constexpr int kCodeTableButton = 1015;
    static constexpr int kPageCombo = 1016;
    static constexpr int kInternationalRadio = 1023; // first of the area group
    static constexpr int kCodeTableRadio = 1024;

    Updata(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink, CClock& clock);

    // Fills the page list for the international area and shows the values.
    void OnInitDialog();
    void OnBrowse();
    void OnUpdateAllPages();
    void OnUpdateSinglePage();
    void OnSelfTest();
    void OnDisplayInternational();
    void OnDisplayCodeTable();
    // The area radio buttons, on every click (also of the checked one).
    void OnInternational();
    void OnCodeTable();

    std::string m_strFontPath; // edit 1013
    int m_nArea = 0;           // 0 international, 1 code table, -1 neither
    int m_nPageIndex = 3;      // combo 1016, -1 for no selection: page "4" at start

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void FillPageList(int nPages);
    // The library's result alone chooses the message.
    void Report(int nResult, const char* pszComplete, const char* pszFail);

    CPolelink& m_polelink;
    CClock& m_clock;
};

// What the page's controls command, for its window to bind.
inline constexpr std::array kUpdataCommands{
    CPageCommand<Updata>{Updata::kBrowseButton, EPageEvent::Click, &Updata::OnBrowse},
    CPageCommand<Updata>{Updata::kUpdateAllButton, EPageEvent::BusyClick,
                         &Updata::OnUpdateAllPages},
    CPageCommand<Updata>{Updata::kUpdateSingleButton, EPageEvent::BusyClick,
                         &Updata::OnUpdateSinglePage},
    CPageCommand<Updata>{Updata::kSelfTestButton, EPageEvent::Click, &Updata::OnSelfTest},
    CPageCommand<Updata>{Updata::kInternationalButton, EPageEvent::BusyClick,
                         &Updata::OnDisplayInternational},
    CPageCommand<Updata>{Updata::kCodeTableButton, EPageEvent::BusyClick,
                         &Updata::OnDisplayCodeTable},
    CPageCommand<Updata>{Updata::kInternationalRadio, EPageEvent::RadioClick,
                         &Updata::OnInternational},
    CPageCommand<Updata>{Updata::kCodeTableRadio, EPageEvent::RadioClick, &Updata::OnCodeTable},
};

inline constexpr int kInternationalPages = 6;
inline constexpr int kCodeTablePages = 8;
inline constexpr const char* kFontFileFilter =
    "Dat Files *.dat|*.dat|Bin Files *.bin|*.bin|All Files(*.*)|*.*|";
inline constexpr const char* kMsgDownloadComplete = "Download file complete!";
inline constexpr const char* kMsgDownloadFail = "Download file fail!";
inline constexpr const char* kMsgSinglePageComplete = "Download file single page complete!";
inline constexpr const char* kMsgSinglePageFail = "Download file single page fail!";
inline constexpr const char* kMsgSetPageNumber = "Please set the page number first!";
