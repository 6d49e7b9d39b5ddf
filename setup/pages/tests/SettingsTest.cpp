#include "Settings.h"

#include "FakeControls.h"
#include "RecordingPolelink.h"
#include "RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<std::uint8_t>;

const Bytes kInternational{0x02, 0x05, 0x52, 0x31, 0x03};
const Bytes kChinese{0x02, 0x05, 0x52, 0x30, 0x03};
const Bytes kCharSetUsa{0x1B, 0x52, 0x00};
const Bytes kCodeTable437{0x1B, 0x74, 0x00};

struct SettingsTest : ::testing::Test
{
    CFakeControls controls;
    CRecordingUserInterface ui;
    CRecordingPolelink polelink;
    CDisplayState display;
    Settings page{controls, ui, polelink, display};

    SettingsTest()
    {
        controls.AddRadioGroup(Settings::kInternationalRadio, 2);
        page.OnInitDialog();
    }

    // What one "Update" sends, one entry a library call.
    std::vector<Bytes> Update()
    {
        polelink.m_calls.clear();
        page.OnUpdate();
        return polelink.Sent();
    }
    const CMessageBoxRequest kApplied{"设置已生效，重启客显后使用新的设置", "提示",
                                      EMessageIcon::None, EMessageButtons::Ok};
};
} // namespace

TEST_F(SettingsTest, StartsWithItsListsAndTheConstructionValues)
{
    EXPECT_EQ(controls.Items(1020),
              (std::vector<std::string>{"1200", "2400", "4800", "9600", "19200", "38400"}));
    EXPECT_EQ(controls.Items(1021), (std::vector<std::string>{"40%", "60%", "80%", "100%"}));
    ASSERT_EQ(controls.Items(1022).size(), 15u);
    EXPECT_EQ(controls.Items(1022)[13], "Reserved");
    EXPECT_EQ(controls.Items(1022)[14], "User Defined");
    ASSERT_EQ(controls.Items(1017).size(), 16u);
    EXPECT_EQ(controls.Items(1017)[3], "PC1254");
    EXPECT_EQ(controls.Items(1017)[15], "User Defined");
    EXPECT_EQ(controls.Items(1018), (std::vector<std::string>{"Simplified", "Traditional"}));

    EXPECT_EQ(controls.GetValue(1020), -1);
    EXPECT_EQ(controls.GetValue(1021), -1);
    EXPECT_EQ(controls.GetValue(1002), 0);
    EXPECT_EQ(controls.GetValue(1022), 0);
    EXPECT_EQ(controls.GetValue(1017), 0);
    EXPECT_EQ(controls.GetValue(1018), 0);
}

TEST_F(SettingsTest, AFreshPageSendsLanguageCharacterSetAndCodeTableOnly)
{
    EXPECT_EQ(Update(), (std::vector<Bytes>{kInternational, kCharSetUsa, kCodeTable437}));
    EXPECT_TRUE(ui.m_messages.empty());

    page.AdaptToVF620();
    EXPECT_EQ(Update(), (std::vector<Bytes>{kInternational, kCharSetUsa, kCodeTable437}));
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(SettingsTest, AfterResetEveryCommandGoesAndThenTheMessage)
{
    controls.SetValue(1022, 7);
    controls.SetValue(1002, 1);
    controls.SetValue(1018, 1);
    page.OnReset();
    EXPECT_TRUE(polelink.m_calls.empty());
    EXPECT_EQ(controls.GetValue(1020), 3);
    EXPECT_EQ(controls.GetValue(1021), 2);
    EXPECT_EQ(controls.GetValue(1002), 0);
    EXPECT_EQ(controls.GetValue(1022), 0);
    EXPECT_EQ(controls.GetValue(1018), 0);

    std::size_t nCallsAtMessage = 0;
    ui.m_onMessage = [&](const CMessageBoxRequest&) { nCallsAtMessage = polelink.m_calls.size(); };
    const std::vector<Bytes> expected{kInternational,
                                      kCharSetUsa,
                                      kCodeTable437,
                                      {0x1F, 0x58, 0x03, 0x1B, 0x40},
                                      {0x02, 0x05, 0x42, 0x30, 0x03}};
    EXPECT_EQ(Update(), expected);
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages[0], kApplied);
    EXPECT_EQ(nCallsAtMessage, 5u);

    // The same on "VF620", although its baud list is hidden.
    ui.m_messages.clear();
    page.AdaptToVF620();
    page.OnReset();
    EXPECT_EQ(Update(), expected);
    EXPECT_EQ(ui.m_messages.size(), 1u);
}

TEST_F(SettingsTest, CharacterSetsAndCodeTablesSendTheirBytesWith13And14Swapped)
{
    const std::uint8_t charSets[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                     0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0E, 0x0D};
    for (int i = 0; i < 15; ++i)
    {
        controls.SetValue(1022, i);
        EXPECT_EQ(Update().at(1), (Bytes{0x1B, 0x52, charSets[i]})) << controls.Items(1022)[i];
    }
    const std::uint8_t codeTables[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                       0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0E, 0x0D, 0x0F};
    for (int i = 0; i < 16; ++i)
    {
        controls.SetValue(1017, i);
        EXPECT_EQ(Update().at(2), (Bytes{0x1B, 0x74, codeTables[i]})) << controls.Items(1017)[i];
    }
}

TEST_F(SettingsTest, ContrastAndBaudRateSendTheirLevelsAndDigits)
{
    for (int i = 0; i < 4; ++i)
    {
        controls.SetValue(1021, i);
        EXPECT_EQ(Update().back(),
                  (Bytes{0x1F, 0x58, static_cast<std::uint8_t>(i + 1), 0x1B, 0x40}));
    }
    const char digits[] = {'3', '2', '1', '0', '7', '6'};
    for (int i = 0; i < 6; ++i)
    {
        controls.SetValue(1020, i);
        EXPECT_EQ(Update().back(),
                  (Bytes{0x02, 0x05, 0x42, static_cast<std::uint8_t>(digits[i]), 0x03}))
            << controls.Items(1020)[i];
    }
    EXPECT_EQ(ui.m_messages.size(), 6u);
}

TEST_F(SettingsTest, AnythingButInternationalSendsTheChineseLanguage)
{
    controls.SetValue(1002, 1);
    EXPECT_EQ(Update().front(), kChinese);
    controls.SetValue(1002, -1);
    EXPECT_EQ(Update().front(), kChinese);
    EXPECT_EQ(page.m_nLanguage, -1);

    // A stored language other than 0 or 1 leaves both buttons clear.
    page.m_nLanguage = 2;
    page.UpdateData(false);
    EXPECT_EQ(controls.GetValue(1002), -1);
    EXPECT_EQ(Update().front(), kChinese);
}

TEST_F(SettingsTest, AListWithoutSelectionSkipsOnlyItsOwnCommand)
{
    controls.SetValue(1022, -1);
    controls.SetValue(1017, -1);
    controls.SetValue(1021, 0);
    EXPECT_EQ(Update(), (std::vector<Bytes>{kInternational, {0x1F, 0x58, 0x01, 0x1B, 0x40}}));
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(SettingsTest, TheVF620PageHasItsOwnCodeTablesAndNoBaudList)
{
    page.m_nCodeTableIndex = 5;
    page.AdaptToVF620();
    EXPECT_EQ(controls.Items(1017),
              (std::vector<std::string>{"PC437", "PC850", "PC866", "PC737", "PC862",
                                        "PC10 for TM55-08", "PC864", "PC852"}));
    EXPECT_FALSE(controls.IsShown(1003));
    EXPECT_FALSE(controls.IsShown(1020));
    EXPECT_EQ(controls.GetText(1042), "The DIP switches setting baud rate.");
    EXPECT_TRUE(controls.IsShown(1002));
    EXPECT_TRUE(controls.IsShown(1017));
    EXPECT_TRUE(controls.IsShown(1021));
    // The values are shown again on the new list.
    EXPECT_EQ(controls.GetValue(1017), 5);
    EXPECT_EQ(Update().at(2), (Bytes{0x1B, 0x74, 0x05}));

    // An index beyond the shorter list leaves it without selection: no code table.
    page.m_nCodeTableIndex = 13;
    page.UpdateData(false);
    EXPECT_EQ(Update(), (std::vector<Bytes>{kInternational, kCharSetUsa}));
}

TEST_F(SettingsTest, TheFileValuesAreFiveOfTheSix)
{
    page.m_nFontTypeIndex = 1;
    page.SetFileValues({1, 2, 1, 14, 15});
    EXPECT_EQ(page.GetFileValues(), (CSettingsValues{1, 2, 1, 14, 15}));
    EXPECT_EQ(page.m_nBaudIndex, 1);
    EXPECT_EQ(page.m_nContrastIndex, 2);
    EXPECT_EQ(page.m_nLanguage, 1);
    EXPECT_EQ(page.m_nCharSetIndex, 14);
    EXPECT_EQ(page.m_nCodeTableIndex, 15);
    EXPECT_EQ(page.m_nFontTypeIndex, 1);
    // Neither touches the controls.
    EXPECT_EQ(controls.GetValue(1020), -1);
}
