#include "VF510.h"

#include "FakeControls.h"
#include "PageTestSupport.h"
#include "RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace
{
struct VF510Test : ::testing::Test
{
    CFakeControls controls;
    CRecordingUserInterface ui;
    CRecordingPolelink polelink;
    VF510 page{controls, ui, polelink};

    VF510Test()
    {
        controls.AddRadioGroup(VF510::kNoneRadio, 5);
        page.OnInitDialog();
    }

    std::vector<Bytes> Sent(void (VF510::*handler)())
    {
        polelink.m_calls.clear();
        (page.*handler)();
        return polelink.Sent();
    }
    std::vector<Bytes> Display(const std::string& strContent)
    {
        controls.SetText(1013, strContent);
        return Sent(&VF510::OnDisplay);
    }
};
} // namespace

TEST_F(VF510Test, DisplaySendsClearTextModeTheContentAndCarriageReturn)
{
    EXPECT_EQ(Display("12.50"),
              (std::vector<Bytes>{{0x0C}, {0x1B, 0x51, 0x41}, {'1', '2', '.', '5', '0'}, {0x0D}}));
    // Empty: a call of length 0 still goes.
    EXPECT_EQ(Display(""), (std::vector<Bytes>{{0x0C}, {0x1B, 0x51, 0x41}, {}, {0x0D}}));
    ASSERT_EQ(polelink.m_calls.size(), 4u);
    EXPECT_EQ(polelink.m_calls[2].m_nLength, 0);
}

TEST_F(VF510Test, ContentGoesInTheCodeTableCutToTenDisplayBytes)
{
    EXPECT_EQ(Display("123456789012345")[2],
              Bytes({'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'}));
    // Nine digits and é: é is one display byte, the tenth.
    EXPECT_EQ(Display("123456789\xC3\xA9"
                      "0")[2],
              Bytes({'1', '2', '3', '4', '5', '6', '7', '8', '9', 0x82}));
    EXPECT_TRUE(ui.m_messages.empty());
    // A character the table lacks shows as "?" and is named in one message.
    EXPECT_EQ(Display("\xE2\x82\xAC"
                      "5\xE2\x82\xAC")[2],
              Bytes({'?', '5', '?'}));
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("\xE2\x82\xAC"), std::string::npos);
}

TEST_F(VF510Test, EachIndicatorSendsItsNumberOnEveryClick)
{
    EXPECT_EQ(controls.GetValue(1039), -1);
    EXPECT_EQ(Sent(&VF510::OnNone), std::vector<Bytes>{Bytes({0x1B, 0x73, 0x00})});
    EXPECT_EQ(Sent(&VF510::OnUnitPrice), std::vector<Bytes>{Bytes({0x1B, 0x73, 0x01})});
    EXPECT_EQ(Sent(&VF510::OnTotal), std::vector<Bytes>{Bytes({0x1B, 0x73, 0x02})});
    EXPECT_EQ(Sent(&VF510::OnPay), std::vector<Bytes>{Bytes({0x1B, 0x73, 0x03})});
    EXPECT_EQ(Sent(&VF510::OnChange), std::vector<Bytes>{Bytes({0x1B, 0x73, 0x04})});
    EXPECT_EQ(Sent(&VF510::OnChange), std::vector<Bytes>{Bytes({0x1B, 0x73, 0x04})});
}

TEST_F(VF510Test, ThankYouSendsTheBoxsNewState)
{
    controls.SetValue(1038, 1);
    EXPECT_EQ(Sent(&VF510::OnThankYou), std::vector<Bytes>{Bytes({0x1F, 0x50, 0x01})});
    controls.SetValue(1038, 0);
    EXPECT_EQ(Sent(&VF510::OnThankYou), std::vector<Bytes>{Bytes({0x1F, 0x50, 0x00})});
}

TEST_F(VF510Test, SetContrastSendsTheListIndexAndNothingWithoutAChoice)
{
    EXPECT_EQ(controls.Items(1040),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(controls.GetValue(1040), -1);
    EXPECT_TRUE(Sent(&VF510::OnSetContrast).empty());

    controls.SetValue(1040, 0);
    EXPECT_EQ(Sent(&VF510::OnSetContrast), std::vector<Bytes>{Bytes({0x14, 0x00})});
    controls.SetValue(1040, 7);
    EXPECT_EQ(Sent(&VF510::OnSetContrast), std::vector<Bytes>{Bytes({0x14, 0x07})});
    EXPECT_EQ(page.m_nContrastIndex, 7);
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(VF510Test, ATypedContrastCountsWhenItIsAnItemAndIsExplainedWhenNot)
{
    controls.SetValue(1040, -1);
    controls.SetText(1040, "5");
    EXPECT_EQ(Sent(&VF510::OnSetContrast), std::vector<Bytes>{Bytes({0x14, 0x04})});
    EXPECT_TRUE(ui.m_messages.empty());

    controls.SetText(1040, "9");
    EXPECT_TRUE(Sent(&VF510::OnSetContrast).empty());
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("1, 2, 3, 4, 5, 6, 7, 8"), std::string::npos);
}

TEST_F(VF510Test, InitializeAndClear)
{
    EXPECT_EQ(Sent(&VF510::OnInitialize), std::vector<Bytes>{Bytes({0x1B, 0x40})});
    EXPECT_EQ(Sent(&VF510::OnClear), std::vector<Bytes>{Bytes({0x0C})});
}
