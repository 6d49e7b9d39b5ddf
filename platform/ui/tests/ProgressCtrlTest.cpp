#include "ProgressCtrl.h"

#include "DataExchange.h"
#include "FakeControls.h"
#include "RecordingUserInterface.h"

#include <gtest/gtest.h>

TEST(ProgressCtrl, StepsThroughTheRangeAndWrapsPastItsEnd)
{
    CProgressCtrl progress;
    progress.SetRange32(0, 3);
    EXPECT_EQ(progress.SetStep(1), 10); // the platform's default step
    progress.SetPos(0);
    progress.StepIt();
    progress.StepIt();
    EXPECT_EQ(progress.StepIt(), 2);
    EXPECT_EQ(progress.GetPos(), 3); // the end itself is reached
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 1); // one past the end starts over

    progress.SetRange32(10, 20);
    EXPECT_EQ(progress.GetPos(), 10); // kept inside a new range
    EXPECT_EQ(progress.SetPos(99), 10);
    EXPECT_EQ(progress.GetPos(), 20);
    progress.SetPos(-5);
    EXPECT_EQ(progress.GetPos(), 10);
    int nLower = 0;
    int nUpper = 0;
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(nLower, 10);
    EXPECT_EQ(nUpper, 20);
}

namespace
{
class CProgressForm : public CDataExchangeForm
{
public:
    using CDataExchangeForm::CDataExchangeForm;
    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange& dx) override { dx.Control(1021, m_progress); }
};
} // namespace

TEST(ProgressCtrl, DataExchangeAttachesTheWindowOnceAndItShowsEveryChange)
{
    CFakeControls controls;
    CRecordingUserInterface ui;
    CProgressForm form(controls, ui);
    form.m_progress.SetRange32(0, 5); // before the window exists: kept, unseen
    form.m_progress.SetPos(2);
    EXPECT_TRUE(controls.m_progressBars.empty());

    ASSERT_TRUE(form.UpdateData(false));
    ASSERT_TRUE(form.m_progress.IsAttached());
    auto& bar = controls.m_progressBars.at(1021);
    EXPECT_EQ(bar.m_nUpper, 5);
    EXPECT_EQ(bar.Pos(), 2);

    form.m_progress.SetStep(1);
    form.m_progress.StepIt();
    form.m_progress.SetRange32(0, 9);
    EXPECT_EQ(bar.m_positions, (std::vector<int>{2, 3, 3}));
    EXPECT_EQ(bar.m_nUpper, 9);

    ASSERT_TRUE(form.UpdateData(true)); // a second exchange binds nothing new
    form.m_progress.SetPos(0);
    EXPECT_EQ(bar.m_positions.back(), 0);
    EXPECT_EQ(controls.m_progressBars.size(), 1u);
}
