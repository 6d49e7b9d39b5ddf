#include "DataExchange.h"

#include "FakeControls.h"
#include "RecordingUserInterface.h"

#include <gtest/gtest.h>

TEST(ParseNumbers, AcceptOnlyWholeDecimalIntegers)
{
    EXPECT_EQ(ParseInt("12"), 12);
    EXPECT_EQ(ParseInt("  -7 "), -7);
    EXPECT_EQ(ParseInt("+3"), 3);
    EXPECT_EQ(ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "-", "12a", "1 2", "0x10", "2147483648", "1.5"})
        EXPECT_EQ(ParseInt(bad), std::nullopt) << bad;

    EXPECT_EQ(ParseUnsigned("4294967295"), 4294967295u);
    EXPECT_EQ(ParseUnsigned(" 0 "), 0u);
    for (const char* bad : {"-1", "-0", "", "4294967296", "x"})
        EXPECT_EQ(ParseUnsigned(bad), std::nullopt) << bad;
}

TEST(DataExchange, RangeMessageFillsInTheBounds)
{
    EXPECT_EQ(FormatIntegerRangeMessage(1, 32), "Please enter an integer between 1 and 32.");
}

namespace
{
// A form with the shape of the editor's: radio, integer with range, text.
class CTestForm : public CDataExchangeForm
{
public:
    using CDataExchangeForm::CDataExchangeForm;

    int m_nIndex = 1;
    int m_nHeight = 1;
    unsigned m_nArea = 0;
    std::string m_strText;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        dx.Radio(10, m_nIndex);
        dx.Text(20, m_nHeight);
        dx.MinMaxInt(20, m_nHeight, 1, 32);
        dx.Text(30, m_nArea);
        dx.Text(40, m_strText);
    }
};

struct DataExchangeForm : ::testing::Test
{
    CFakeControls controls;
    CRecordingUserInterface ui;
    CTestForm form{controls, ui};

    void SetUp() override { controls.AddRadioGroup(10, 5); }
};
} // namespace

TEST_F(DataExchangeForm, ShowsThenTakesEveryField)
{
    form.m_strText = "hello";
    ASSERT_TRUE(form.UpdateData(false));
    EXPECT_EQ(controls.GetValue(10), 1);
    EXPECT_EQ(controls.GetText(20), "1");
    EXPECT_EQ(controls.GetText(30), "0");
    EXPECT_EQ(controls.GetText(40), "hello");

    controls.SetValue(10, 4);
    controls.SetText(20, "12");
    controls.SetText(30, "300");
    controls.SetText(40, "changed");
    ASSERT_TRUE(form.UpdateData(true));
    EXPECT_EQ(form.m_nIndex, 4);
    EXPECT_EQ(form.m_nHeight, 12);
    EXPECT_EQ(form.m_nArea, 300u);
    EXPECT_EQ(form.m_strText, "changed");
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(DataExchangeForm, OutOfRangeStopsTheExchangeAfterTheMessage)
{
    controls.SetValue(10, 2);
    controls.SetText(20, "40");
    controls.SetText(30, "5");
    controls.SetText(40, "not taken");

    EXPECT_FALSE(form.UpdateData(true));
    EXPECT_EQ(form.m_nIndex, 2);   // taken before the failing field
    EXPECT_EQ(form.m_nHeight, 40); // the value is taken, then found out of range
    EXPECT_EQ(form.m_nArea, 0u);   // later fields are not taken
    EXPECT_EQ(form.m_strText, "");
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages[0].m_strText, "Please enter an integer between 1 and 32.");
    EXPECT_EQ(ui.m_messages[0].m_icon, EMessageIcon::Warning);
    EXPECT_EQ(ui.m_messages[0].m_strCaption, std::nullopt);
    EXPECT_EQ(controls.m_focusAndSelect, std::vector<int>{20});
}

TEST_F(DataExchangeForm, NonNumbersKeepTheFieldAndSayWhichKindIsWanted)
{
    controls.SetText(20, "abc");
    EXPECT_FALSE(form.UpdateData(true));
    EXPECT_EQ(form.m_nHeight, 1);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Please enter an integer."});

    controls.SetText(20, "8");
    controls.SetText(30, "-1");
    EXPECT_FALSE(form.UpdateData(true));
    EXPECT_EQ(form.m_nHeight, 8);
    EXPECT_EQ(form.m_nArea, 0u);
    EXPECT_EQ(ui.Texts().back(), "Please enter a positive integer.");
    EXPECT_EQ(controls.m_focusAndSelect.back(), 30);
}

TEST_F(DataExchangeForm, ShowingFieldsNeverValidates)
{
    form.m_nHeight = 99; // out of range, but showing is not checking
    EXPECT_TRUE(form.UpdateData(false));
    EXPECT_EQ(controls.GetText(20), "99");
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST(FakeControls, SelectionsMustNameAnItem)
{
    CFakeControls controls;
    controls.SetItems(5, {"COM1", "COM2"});
    EXPECT_EQ(controls.GetValue(5), -1);
    controls.SetValue(5, 1);
    EXPECT_EQ(controls.GetValue(5), 1);
    controls.SetValue(5, 2);
    EXPECT_EQ(controls.GetValue(5), -1);
}
