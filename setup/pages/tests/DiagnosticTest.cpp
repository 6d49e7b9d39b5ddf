#include "Diagnostic.h"

#include "FakeControls.h"
#include "PageTestSupport.h"
#include "RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace
{
using ECall = CRecordingPolelink::ECall;
using namespace std::chrono_literals;

struct DiagnosticTest : ::testing::Test
{
    CFakeControls controls;
    CRecordingPolelink polelink;
    CVirtualClock clock;
    CRecordingUserInterface ui;
    CDisplayState display;
    Diagnostic page{controls, ui, polelink, clock, display};

    DiagnosticTest() { polelink.m_pClock = &clock; }

    std::vector<Bytes> Display(const std::string& strFirst, const std::string& strSecond)
    {
        controls.SetText(1013, strFirst);
        controls.SetText(1014, strSecond);
        polelink.m_calls.clear();
        page.OnDisplay();
        return polelink.Sent();
    }
};
} // namespace

TEST_F(DiagnosticTest, DisplaySendsTheTwoLinesInFourCallsAnEmptyLineAsLengthZero)
{
    EXPECT_EQ(Display("ABC", ""), (std::vector<Bytes>{{0x0C}, {'A', 'B', 'C'}, {0x0D, 0x0A}, {}}));
    ASSERT_EQ(polelink.m_calls.size(), 4u);
    EXPECT_EQ(polelink.m_calls[3].m_nLength, 0);

    EXPECT_EQ(Display("", "Total"),
              (std::vector<Bytes>{{0x0C}, {}, {0x0D, 0x0A}, {'T', 'o', 't', 'a', 'l'}}));
}

TEST_F(DiagnosticTest, LinesAreCutToTwentyDisplayBytes)
{
    const std::string strLong = "ABCDEFGHIJKLMNOPQRSTUVWXY"; // 25
    auto sent = Display(strLong, std::string(20, 'z'));
    EXPECT_EQ(sent[1], Bytes(strLong.begin(), strLong.begin() + 20));
    EXPECT_EQ(sent[3], Bytes(20, 'z'));
}

TEST_F(DiagnosticTest, CodeTableScreensEndWithTheLastEightCodes)
{
    page.OnDisplayCodeTable();
    const Timeline expected{{0, {0x0C}},
                            {1000, {0x0C}},
                            {1000, CodeRange(0x80, 0xA7)},
                            {2000, {0x0C}},
                            {2000, CodeRange(0xA8, 0xCF)},
                            {3000, {0x0C}},
                            {3000, CodeRange(0xD0, 0xF7)},
                            {4000, {0x0C}},
                            {4000, CodeRange(0xF8, 0xFF)}};
    EXPECT_EQ(SentAt(polelink), expected);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 4000ms);
}

TEST_F(DiagnosticTest, InternationalScreensCoverSpaceToDelete)
{
    page.OnDisplayInternational();
    const Timeline expected{{0, {0x0C}},
                            {1000, {0x0C}},
                            {1000, CodeRange(0x20, 0x47)},
                            {2000, {0x0C}},
                            {2000, CodeRange(0x48, 0x6F)},
                            {3000, {0x0C}},
                            {3000, CodeRange(0x70, 0x7F)}};
    EXPECT_EQ(SentAt(polelink), expected);
    EXPECT_EQ(clock.Waits().size(), 3u);
    for (const auto& wait : clock.Waits())
        EXPECT_EQ(wait.m_kind, CVirtualClock::EWait::Sleep);
}

TEST_F(DiagnosticTest, TheSingleCommands)
{
    controls.SetText(1013, "never read");
    page.OnSelfTest();
    page.OnClear();
    page.OnInitialize();
    EXPECT_EQ(polelink.Kinds(),
              (std::vector<ECall>{ECall::WirteStrData, ECall::WirteStrData, ECall::Init}));
    EXPECT_EQ(polelink.Sent(), (std::vector<Bytes>{{0x1F, 0x40}, {0x0C}}));
    EXPECT_TRUE(clock.Waits().empty());
}

TEST_F(DiagnosticTest, LinesGoInTheCodeTableCutToTwentyDisplayBytes)
{
    // Twenty é are twenty display bytes; the twenty-first is cut.
    std::string strLine;
    for (int i = 0; i < 21; ++i)
        strLine += "\xC3\xA9";
    EXPECT_EQ(Display(strLine, "\xC3\xBC")[1], Bytes(20, 0x82));
    EXPECT_EQ(polelink.Sent()[3], Bytes({0x81}));
    EXPECT_TRUE(ui.m_messages.empty());
    // Both lines' missing characters are named together, once.
    EXPECT_EQ(Display("\xE2\x82\xAC", "\xE2\x82\xAC")[3], Bytes({'?'}));
    EXPECT_EQ(ui.m_messages.size(), 1u);
}
