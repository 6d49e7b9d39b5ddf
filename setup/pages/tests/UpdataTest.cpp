#include "Updata.h"

#include "FakeControls.h"
#include "PageTestSupport.h"
#include "RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace
{
using ECall = CRecordingPolelink::ECall;
using namespace std::chrono_literals;

struct UpdataTest : ::testing::Test
{
    CFakeControls controls;
    CRecordingUserInterface ui;
    CRecordingPolelink polelink;
    CVirtualClock clock;
    Updata page{controls, ui, polelink, clock};

    UpdataTest()
    {
        controls.AddRadioGroup(Updata::kInternationalRadio, 2);
        polelink.m_pClock = &clock;
        page.OnInitDialog();
    }

    // The one UpdateFontLib call made, or a failure.
    CRecordingPolelink::CCall OnlyUpdate()
    {
        EXPECT_EQ(polelink.Kinds(), std::vector<ECall>{ECall::UpdateFontLib});
        return polelink.m_calls.empty() ? CRecordingPolelink::CCall{} : polelink.m_calls.back();
    }
    void ChooseArea(int nArea)
    {
        controls.SetValue(Updata::kInternationalRadio, nArea);
        nArea == 0 ? page.OnInternational() : page.OnCodeTable();
    }
};

std::vector<std::string> Numbers(int nCount)
{
    std::vector<std::string> numbers;
    for (int i = 1; i <= nCount; ++i)
        numbers.push_back(std::to_string(i));
    return numbers;
}
} // namespace

TEST_F(UpdataTest, FirstShownWithTheInternationalAreaAndPageFour)
{
    EXPECT_EQ(controls.GetValue(1023), 0);
    EXPECT_EQ(controls.Items(1016), Numbers(6));
    EXPECT_EQ(controls.GetValue(1016), 3);
    EXPECT_EQ(controls.GetText(1013), "");
    EXPECT_TRUE(polelink.m_calls.empty());
}

TEST_F(UpdataTest, TheAreaButtonsRefillThePageListAndKeepThePageWhereItExists)
{
    controls.SetValue(1016, 5); // "6"
    ChooseArea(1);
    EXPECT_EQ(controls.Items(1016), Numbers(8));
    EXPECT_EQ(controls.GetValue(1016), 5);

    controls.SetValue(1016, 7); // "8"
    ChooseArea(0);
    EXPECT_EQ(controls.Items(1016), Numbers(6));
    EXPECT_EQ(controls.GetValue(1016), -1);
    EXPECT_EQ(page.m_nPageIndex, 7);

    // With no page left, "Update Single Page" asks for one and calls nothing.
    page.OnUpdateSinglePage();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Please set the page number first!"});
    EXPECT_TRUE(polelink.m_calls.empty());

    // The checked button refills the list all the same.
    controls.SetItems(1016, {"stale"});
    controls.SetValue(1016, 0);
    page.OnInternational();
    EXPECT_EQ(controls.Items(1016), Numbers(6));
    EXPECT_EQ(controls.GetValue(1016), 0);
    EXPECT_TRUE(polelink.m_calls.empty());
}

TEST_F(UpdataTest, UpdateAllPagesPassesPathAndAreaAsTheControlsHoldThem)
{
    controls.SetText(1013, "/fonts/big font.dat");
    ChooseArea(1);
    page.OnUpdateAllPages();
    const auto call = OnlyUpdate();
    EXPECT_EQ(call.m_strPath, "/fonts/big font.dat");
    EXPECT_EQ(call.m_dwArea, 1u);
    EXPECT_EQ(call.m_dwPage, 0xFFFFFFFFu);
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages[0].m_strText, "Download file complete!");
    EXPECT_EQ(ui.m_messages[0].m_buttons, EMessageButtons::Ok);

    // The library's result alone decides; an empty path goes unchecked.
    polelink.m_calls.clear();
    polelink.m_nUpdateResult = 0;
    controls.SetText(1013, "");
    page.OnUpdateAllPages();
    EXPECT_EQ(OnlyUpdate().m_strPath, "");
    EXPECT_EQ(ui.Texts().back(), "Download file fail!");
}

TEST_F(UpdataTest, UpdateSinglePageSendsThePageNumberCountedFromOne)
{
    controls.SetText(1013, "a.dat");
    controls.SetValue(1016, 0);
    page.OnUpdateSinglePage();
    auto call = OnlyUpdate();
    EXPECT_EQ(call.m_dwArea, 0u);
    EXPECT_EQ(call.m_dwPage, 1u);
    EXPECT_EQ(ui.Texts().back(), "Download file single page complete!");

    polelink.m_calls.clear();
    polelink.m_nUpdateResult = 0;
    ChooseArea(1);
    controls.SetValue(1016, 7);
    page.OnUpdateSinglePage();
    call = OnlyUpdate();
    EXPECT_EQ(call.m_dwArea, 1u);
    EXPECT_EQ(call.m_dwPage, 8u);
    EXPECT_EQ(ui.Texts().back(), "Download file single page fail!");

    // A library that says why: the page's message, then the cause.
    polelink.m_strLastErrorText = "COM6: /dev/ttyS5: permission denied";
    page.OnUpdateSinglePage();
    EXPECT_EQ(ui.Texts().back(),
              "Download file single page fail!\nCOM6: /dev/ttyS5: permission denied");
    page.OnUpdateAllPages();
    EXPECT_EQ(ui.Texts().back(), "Download file fail!\nCOM6: /dev/ttyS5: permission denied");
}

TEST_F(UpdataTest, ATypedPageNumberCountsWhenTheListHoldsIt)
{
    controls.SetText(1013, "a.dat");
    controls.SetValue(1016, -1);
    controls.SetText(1016, "5");
    page.OnUpdateSinglePage();
    EXPECT_EQ(OnlyUpdate().m_dwPage, 5u);

    // The international area has six pages: 7 is refused with the list named.
    polelink.m_calls.clear();
    controls.SetValue(1016, -1);
    controls.SetText(1016, "7");
    page.OnUpdateSinglePage();
    EXPECT_TRUE(polelink.m_calls.empty());
    EXPECT_EQ(ui.Texts().back(),
              "\"7\" is not in the list. Please type or choose one of: 1, 2, 3, 4, 5, 6.");

    controls.SetText(1016, "");
    page.OnUpdateSinglePage();
    EXPECT_EQ(ui.Texts().back(), "Please set the page number first!");
}

TEST_F(UpdataTest, BrowseOffersTheFontFilesAndKeepsThePathOnCancel)
{
    controls.SetText(1013, "typed.dat");
    controls.SetValue(1016, 1);
    page.OnBrowse();
    ASSERT_EQ(ui.m_fileDialogs.size(), 1u);
    const CFileDialogRequest& request = ui.m_fileDialogs[0];
    EXPECT_TRUE(request.m_bOpen);
    EXPECT_EQ(request.m_strFilter,
              "Dat Files *.dat|*.dat|Bin Files *.bin|*.bin|All Files(*.*)|*.*|");
    EXPECT_EQ(ParseFilterString(request.m_strFilter).size(), 3u);
    EXPECT_EQ(request.m_strDefaultExt, "");
    EXPECT_EQ(request.m_strFileName, "");
    // Cancelled: what was typed is taken and shown again.
    EXPECT_EQ(controls.GetText(1013), "typed.dat");
    EXPECT_EQ(page.m_nPageIndex, 1);

    ui.m_fileAnswers.push_back("/home/me/fonts/new.bin");
    page.OnBrowse();
    EXPECT_EQ(controls.GetText(1013), "/home/me/fonts/new.bin");
    EXPECT_EQ(controls.GetValue(1016), 1);
    EXPECT_TRUE(polelink.m_calls.empty());
}

TEST_F(UpdataTest, DisplayCodeTableShowsFourScreensAfterPausesAndDropsUntakenEdits)
{
    page.m_strFontPath = "kept.dat";
    page.UpdateData(false);
    controls.SetText(1013, "typed but not taken.dat");

    page.OnDisplayCodeTable();
    const Timeline expected{{0, {0x1B, 0x74, 0x0F}}, {0, {0x0C}},
                            {1000, {0x0C}},          {1000, CodeRange(0x80, 0xA7)},
                            {2000, {0x0C}},          {2000, CodeRange(0xA8, 0xCF)},
                            {3000, {0x0C}},          {3000, CodeRange(0xD0, 0xF7)},
                            {4000, {0x0C}},          {4000, CodeRange(0xF8, 0xFF)}};
    EXPECT_EQ(SentAt(polelink), expected);
    EXPECT_EQ(clock.Waits().size(), 4u);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 4000ms);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Busy), 0ms);
    EXPECT_EQ(controls.GetText(1013), "kept.dat");
}

TEST_F(UpdataTest, DisplayInternationalShowsThreeScreensAndKeepsTheTypedPath)
{
    controls.SetText(1013, "typed.dat");
    page.OnDisplayInternational();
    const Timeline expected{{0, {0x1B, 0x52, 0x0F}}, {0, {0x0C}},
                            {1000, {0x0C}},          {1000, CodeRange(0x20, 0x47)},
                            {2000, {0x0C}},          {2000, CodeRange(0x48, 0x6F)},
                            {3000, {0x0C}},          {3000, CodeRange(0x70, 0x7F)}};
    EXPECT_EQ(SentAt(polelink), expected);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 3000ms);
    EXPECT_EQ(controls.GetText(1013), "typed.dat");
    EXPECT_EQ(page.m_strFontPath, "typed.dat");
}

TEST_F(UpdataTest, SelfTestSendsItsTwoBytesAndNothingElse)
{
    controls.SetText(1013, "typed.dat");
    page.OnSelfTest();
    EXPECT_EQ(polelink.Sent(), std::vector<Bytes>{Bytes({0x1F, 0x40})});
    EXPECT_EQ(page.m_strFontPath, "");
    EXPECT_TRUE(clock.Waits().empty());
}
