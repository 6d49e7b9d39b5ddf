// Pagewing's dialog over fake controls, a recording library and virtual time:
// every button, the port state, the page list, and the test screens' bytes
// and pauses.
#include "PagewingDlg.h"

#include "FakeControls.h"
#include "RecordingUserInterface.h"
#include "RecordingVf620Calls.h"
#include "ScreenBytes.h"

#include <limits>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace
{
std::vector<std::string> Numbers(int nCount)
{
    std::vector<std::string> numbers;
    for (int n = 1; n <= nCount; ++n)
        numbers.push_back(std::to_string(n));
    return numbers;
}
} // namespace

class PagewingDlgTest : public ::testing::Test
{
protected:
    PagewingDlgTest()
    {
        // The dialog resource's initialisation data.
        m_controls.SetItems(IDC_PORT,
                            {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"});
        m_controls.SetItems(IDC_PARITY, {"No", "Odd", "Even", "Mark", "Space"});
        m_controls.SetItems(IDC_BAUD, {"1200", "2400", "4800", "9600", "19200", "38400"});
        m_controls.SetItems(IDC_PAGE_NO, Numbers(6));
        m_controls.AddRadioGroup(IDC_AREA_LOW, 2);
        m_dlg.OnInitDialog();
    }

    void OpenPort()
    {
        m_dlg.OnOpen();
        ASSERT_NE(m_dlg.m_nPortOpen, 0);
        m_driver.m_calls.clear();
    }

    std::string Status() { return m_controls.GetText(IDC_STATUS); }

    CFakeControls m_controls;
    CRecordingUserInterface m_ui;
    CVirtualClock m_clock;
    CRecordingVf620Calls m_driver{m_clock};
    CPagewingDlg m_dlg{m_controls, m_ui, m_driver, m_clock};
};

TEST_F(PagewingDlgTest, StartsOnTheFirstEntriesWithBothPortButtonsEnabled)
{
    EXPECT_EQ(m_controls.GetValue(IDC_AREA_LOW), 0);
    EXPECT_EQ(m_controls.GetValue(IDC_PORT), 0);
    EXPECT_EQ(m_controls.GetValue(IDC_PARITY), 0);
    EXPECT_EQ(m_controls.GetText(IDC_BAUD), "9600");
    EXPECT_EQ(m_controls.GetValue(IDC_PAGE_NO), 0);
    EXPECT_EQ(m_controls.GetText(IDC_FILE_PATH), "");
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(m_controls.IsEnabled(IDC_OPEN));
    EXPECT_TRUE(m_controls.IsEnabled(IDC_CLOSE));
    EXPECT_EQ(m_dlg.m_nPortOpen, 0);
    EXPECT_TRUE(m_driver.m_calls.empty());
}

TEST_F(PagewingDlgTest, OpenPassesPortNumberParityAndBaudAndMovesToOpen)
{
    m_controls.SetValue(IDC_PORT, 2);
    m_controls.SetValue(IDC_PARITY, 4);
    m_controls.SetText(IDC_BAUD, "38400");
    m_driver.m_nOpenResult = 7; // any nonzero result is kept as the flag
    m_dlg.OnOpen();

    ASSERT_EQ(m_driver.m_calls.size(), 1u);
    EXPECT_EQ(m_driver.m_calls[0].m_strName, "OpenDComm");
    EXPECT_EQ(m_driver.m_calls[0].m_args, (std::vector<std::int64_t>{3, 4, 38400}));
    EXPECT_EQ(m_dlg.m_nPortOpen, 7);
    EXPECT_FALSE(m_controls.IsEnabled(IDC_OPEN));
    EXPECT_TRUE(m_controls.IsEnabled(IDC_CLOSE));
    EXPECT_TRUE(m_ui.m_messages.empty());
    // The entries stay as the user left them.
    EXPECT_EQ(m_controls.GetValue(IDC_PORT), 2);
    EXPECT_EQ(m_controls.GetText(IDC_BAUD), "38400");
}

TEST_F(PagewingDlgTest, BaudTextIsPassedAsTheNumberAtItsStart)
{
    m_controls.SetText(IDC_BAUD, "57600");
    m_driver.m_nOpenResult = 0;
    m_dlg.OnOpen();
    m_controls.SetText(IDC_BAUD, "fast");
    m_dlg.OnOpen();
    ASSERT_EQ(m_driver.m_calls.size(), 2u);
    EXPECT_EQ(m_driver.m_calls[0].m_args[2], 57600);
    EXPECT_EQ(m_driver.m_calls[1].m_args[2], 0);

    EXPECT_EQ(BaudFromText("4800 baud"), 4800);
    EXPECT_EQ(BaudFromText("115200"), 115200);
    EXPECT_EQ(BaudFromText(""), 0);
    EXPECT_EQ(BaudFromText(" 9600"), 0);
    EXPECT_EQ(BaudFromText("-9600"), 0);
    EXPECT_EQ(BaudFromText("0009600"), 9600);
    EXPECT_EQ(BaudFromText("99999999999999999999"), std::numeric_limits<std::int32_t>::max());
}

TEST_F(PagewingDlgTest, FailedOpenShowsTheStopBoxAndChangesNothing)
{
    m_driver.m_nOpenResult = 0;
    m_dlg.OnOpen();

    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], (CMessageBoxRequest{kMsgOpenPortFail, std::nullopt,
                                                      EMessageIcon::Stop, EMessageButtons::Ok}));
    EXPECT_EQ(m_dlg.m_nPortOpen, 0);
    EXPECT_TRUE(m_controls.IsEnabled(IDC_OPEN));
    EXPECT_TRUE(m_controls.IsEnabled(IDC_CLOSE));
    EXPECT_EQ(Status(), "");

    // A library that says why: the product's message, then the cause.
    m_driver.m_strLastErrorText = "/dev/ttyUSB0: permission denied";
    m_dlg.OnOpen();
    ASSERT_EQ(m_ui.m_messages.size(), 2u);
    EXPECT_EQ(m_ui.m_messages[1].m_strText,
              std::string(kMsgOpenPortFail) + "\n/dev/ttyUSB0: permission denied");
}

TEST_F(PagewingDlgTest, CloseMovesToClosedOnlyWhenTheLibraryClosed)
{
    OpenPort();
    m_driver.m_nCloseResult = 0;
    m_dlg.OnClose();
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0].m_strText, kMsgClosePortFail);
    EXPECT_EQ(m_ui.m_messages[0].m_icon, EMessageIcon::Stop);
    EXPECT_NE(m_dlg.m_nPortOpen, 0);
    EXPECT_FALSE(m_controls.IsEnabled(IDC_OPEN));
    EXPECT_TRUE(m_controls.IsEnabled(IDC_CLOSE));

    m_driver.m_nCloseResult = 1;
    m_dlg.OnClose();
    EXPECT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_dlg.m_nPortOpen, 0);
    EXPECT_TRUE(m_controls.IsEnabled(IDC_OPEN));
    EXPECT_FALSE(m_controls.IsEnabled(IDC_CLOSE));
    EXPECT_EQ(m_driver.Names(), (std::vector<std::string>{"CloseDComm", "CloseDComm"}));

    // Closed again, the screens and the whole download refuse to run.
    m_dlg.OnDisplayAscii();
    EXPECT_EQ(Status(), kStatusPortNotOpened);
}

TEST_F(PagewingDlgTest, DownloadAllNeedsTheOpenPortAndReportsTheResult)
{
    m_controls.SetText(IDC_FILE_PATH, "/fonts/a.bin");
    m_dlg.OnDownloadAll();
    EXPECT_EQ(Status(), kStatusPortNotOpened);
    EXPECT_TRUE(m_driver.m_calls.empty());

    OpenPort();
    m_controls.SetValue(IDC_AREA_LOW, 1);
    m_dlg.OnDownloadAll();
    ASSERT_EQ(m_driver.m_calls.size(), 1u);
    EXPECT_EQ(m_driver.m_calls[0].m_strName, "DownLoadFile");
    EXPECT_EQ(m_driver.m_calls[0].m_strPath, "/fonts/a.bin");
    EXPECT_EQ(m_driver.m_calls[0].m_args, (std::vector<std::int64_t>{1}));
    EXPECT_EQ(Status(), kStatusDownloadComplete);

    // Only a positive result is a download: 0 and the library's -1 fail.
    for (const std::int32_t nResult : {0, -1})
    {
        m_driver.m_nDownloadResult = nResult;
        m_dlg.OnDownloadAll();
        EXPECT_EQ(Status(), kStatusDownloadFail) << nResult;
    }
}

TEST_F(PagewingDlgTest, SinglePageGoesWithoutOpenAndSendsPageNumberFromOne)
{
    m_controls.SetText(IDC_FILE_PATH, "font.dat");
    m_controls.SetValue(IDC_PAGE_NO, 2);
    m_dlg.OnDownloadSinglePage();
    ASSERT_EQ(m_driver.m_calls.size(), 1u);
    EXPECT_EQ(m_driver.m_calls[0].m_strName, "DownLoadFileSinglePage");
    EXPECT_EQ(m_driver.m_calls[0].m_strPath, "font.dat");
    EXPECT_EQ(m_driver.m_calls[0].m_args, (std::vector<std::int64_t>{0, 3}));
    EXPECT_EQ(Status(), kStatusSinglePageComplete);

    m_driver.m_nDownloadResult = 0; // what the library gives without a port
    m_dlg.OnDownloadSinglePage();
    EXPECT_EQ(Status(), kStatusSinglePageFail);
    m_driver.m_nDownloadResult = -1;
    m_dlg.OnDownloadSinglePage();
    EXPECT_EQ(Status(), kStatusSinglePageFail);
    EXPECT_TRUE(m_ui.m_messages.empty());
}

TEST_F(PagewingDlgTest, AreaButtonsRebuildThePageListKeepingAPageItStillHas)
{
    m_controls.SetValue(IDC_AREA_LOW, 1);
    m_controls.SetValue(IDC_PAGE_NO, 3);
    m_dlg.OnAreaHigh();
    EXPECT_EQ(m_controls.Items(IDC_PAGE_NO), Numbers(8));
    EXPECT_EQ(m_controls.GetValue(IDC_PAGE_NO), 3);

    m_controls.SetValue(IDC_PAGE_NO, 7);
    m_controls.SetValue(IDC_AREA_LOW, 0);
    m_dlg.OnAreaLow();
    EXPECT_EQ(m_controls.Items(IDC_PAGE_NO), Numbers(6));
    EXPECT_EQ(m_controls.GetValue(IDC_PAGE_NO), -1);

    // With no page chosen the single page asks for one and sends nothing.
    m_controls.SetText(IDC_STATUS, "earlier");
    m_dlg.OnDownloadSinglePage();
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], (CMessageBoxRequest{kMsgSetPageFirst, std::nullopt,
                                                      EMessageIcon::Warning, EMessageButtons::Ok}));
    EXPECT_TRUE(m_driver.m_calls.empty());
    EXPECT_EQ(Status(), "earlier");

    // No page stays no page; a page the longer list has comes back.
    m_dlg.OnAreaHigh();
    EXPECT_EQ(m_controls.GetValue(IDC_PAGE_NO), -1);
    m_controls.SetValue(IDC_PAGE_NO, 5);
    m_dlg.OnAreaLow();
    EXPECT_EQ(m_controls.GetValue(IDC_PAGE_NO), 5);
}

TEST_F(PagewingDlgTest, AsciiScreensAreThreeScreensEachAfterASecondAndAClear)
{
    OpenPort();
    m_dlg.OnDisplayAscii();

    using Call = CRecordingVf620Calls::CCall;
    const std::vector<Call> expected = {
        {"SendDStr", {3}, {0x1B, 0x52, 0x0F}, "", 0ms},
        {"ClearDisplay", {}, {}, "", 0ms},
        {"ClearDisplay", {}, {}, "", 1000ms},
        {"SendDStr", {40}, Codes(0x20, 0x47), "", 1000ms},
        {"ClearDisplay", {}, {}, "", 2000ms},
        {"SendDStr", {40}, Codes(0x48, 0x6F), "", 2000ms},
        {"ClearDisplay", {}, {}, "", 3000ms},
        {"SendDStr", {16}, Codes(0x70, 0x7F), "", 3000ms},
    };
    EXPECT_EQ(m_driver.m_calls, expected);
    ASSERT_EQ(m_clock.Waits().size(), 3u);
    for (const auto& wait : m_clock.Waits())
    {
        EXPECT_EQ(wait.m_kind, CVirtualClock::EWait::Sleep);
        EXPECT_EQ(wait.m_duration, 1000ms);
    }
    EXPECT_EQ(Status(), kStatusAsciiComplete);
}

TEST_F(PagewingDlgTest, PcScreensAreFourScreensTheLastOfEightCodes)
{
    OpenPort();
    m_dlg.OnDisplayPc();

    const Bytes expected = ScreenBytes({0x1B, 0x74, 0x0F}, 0x80, 0xFF);
    ASSERT_EQ(expected.size(), 3u + 1 + 41 * 3 + 9);
    EXPECT_EQ(m_driver.LineBytes(), expected);
    EXPECT_EQ(m_clock.Total(CVirtualClock::EWait::Sleep), 4000ms);
    EXPECT_EQ(m_clock.Waits().size(), 4u);
    // Each pause comes right before its screen's clear.
    const auto& calls = m_driver.m_calls;
    ASSERT_EQ(calls.size(), 10u);
    for (std::size_t nScreen = 0; nScreen < 4; ++nScreen)
    {
        EXPECT_EQ(calls[2 + 2 * nScreen].m_strName, "ClearDisplay");
        EXPECT_EQ(calls[2 + 2 * nScreen].m_at, std::chrono::seconds(nScreen + 1));
    }
    EXPECT_EQ(Status(), kStatusPcComplete);
}

TEST_F(PagewingDlgTest, ScreensNeedTheOpenPortAndSendNothingWithoutIt)
{
    m_dlg.OnDisplayAscii();
    EXPECT_EQ(Status(), kStatusPortNotOpened);
    m_controls.SetText(IDC_STATUS, "");
    m_dlg.OnDisplayPc();
    EXPECT_EQ(Status(), kStatusPortNotOpened);
    EXPECT_TRUE(m_driver.m_calls.empty());
    EXPECT_TRUE(m_clock.Waits().empty());
}

TEST_F(PagewingDlgTest, ClearDisplayGoesWithoutOpenAndReportsTheResult)
{
    m_driver.m_nClearResult = 0;
    m_dlg.OnClearDisplay();
    EXPECT_EQ(Status(), kStatusClearFail);
    m_driver.m_nClearResult = 1;
    m_dlg.OnClearDisplay();
    EXPECT_EQ(Status(), kStatusClearComplete);
    EXPECT_EQ(m_driver.Names(), (std::vector<std::string>{"ClearDisplay", "ClearDisplay"}));
}

TEST_F(PagewingDlgTest, HandlersTakeTheEntriesFirstAndKeepThem)
{
    m_controls.SetText(IDC_FILE_PATH, "typed.bin");
    m_controls.SetText(IDC_BAUD, "19200");
    m_controls.SetValue(IDC_PARITY, 2);
    m_driver.m_onCall = [&](const CRecordingVf620Calls::CCall&)
    {
        // The members hold the entries before the library is called.
        EXPECT_EQ(m_dlg.m_strFilePath, "typed.bin");
        EXPECT_EQ(m_dlg.m_strBaud, "19200");
        EXPECT_EQ(m_dlg.m_nParityIndex, 2);
    };
    m_dlg.OnClearDisplay();
    m_dlg.OnDownloadSinglePage();
    EXPECT_EQ(m_driver.m_calls.size(), 2u);
    EXPECT_EQ(m_controls.GetText(IDC_FILE_PATH), "typed.bin");
    EXPECT_EQ(m_controls.GetText(IDC_BAUD), "19200");
    EXPECT_EQ(m_controls.GetValue(IDC_PARITY), 2);
}

TEST_F(PagewingDlgTest, BrowseOffersTheFontFileTypesAndKeepsThePathOnCancel)
{
    m_controls.SetText(IDC_FILE_PATH, "typed.bin");
    m_ui.m_fileAnswers = {std::nullopt, std::string("/home/u/fonts/big5.dat")};
    m_dlg.OnBrowse();
    EXPECT_EQ(m_controls.GetText(IDC_FILE_PATH), "typed.bin");
    m_dlg.OnBrowse();
    EXPECT_EQ(m_controls.GetText(IDC_FILE_PATH), "/home/u/fonts/big5.dat");
    EXPECT_EQ(m_dlg.m_strFilePath, "/home/u/fonts/big5.dat");

    ASSERT_EQ(m_ui.m_fileDialogs.size(), 2u);
    const CFileDialogRequest& request = m_ui.m_fileDialogs[0];
    EXPECT_TRUE(request.m_bOpen);
    EXPECT_EQ(request.m_strFilter,
              "Dat Files *.dat|*.dat|Bin Files *.bin|*.bin|All Files(*.*)|*.*|");
    EXPECT_EQ(ParseFilterString(request.m_strFilter).size(), 3u);
    EXPECT_EQ(request.m_strDefaultExt, "");
    EXPECT_EQ(request.m_strFileName, "");
    EXPECT_TRUE(m_driver.m_calls.empty());
}
