// The program's start: nothing is shown before the library is bound, and a
// library that cannot be bound ends the program with its reason.
#include "PagewingApp.h"

#include "RecordingVf620Calls.h"

#include <optional>

#include <gtest/gtest.h>

namespace
{
class CScriptedStart final : public CPagewingStart
{
public:
    CVf620Calls* BindDriver(std::string& strError) override
    {
        m_steps.push_back("bind");
        if (m_strError)
            strError = *m_strError;
        return m_strError ? nullptr : &m_driver;
    }
    void ReportStartFailure(const std::string& strText) override
    {
        m_steps.push_back("report: " + strText);
    }
    bool RunMainDialog(CVf620Calls& driver) override
    {
        m_steps.push_back(&driver == &m_driver ? "dialog over the bound library" : "dialog");
        return m_bWindowSystem;
    }

    CVirtualClock m_clock;
    CRecordingVf620Calls m_driver{m_clock};
    std::optional<std::string> m_strError;
    bool m_bWindowSystem = true;
    std::vector<std::string> m_steps;
};
} // namespace

TEST(PagewingApp, RunsTheDialogOverTheBoundLibrary)
{
    CScriptedStart start;
    EXPECT_EQ(CPagewingApp().Run(start), kExitOk);
    EXPECT_EQ(start.m_steps, (std::vector<std::string>{"bind", "dialog over the bound library"}));

    start.m_steps.clear();
    start.m_bWindowSystem = false;
    EXPECT_EQ(CPagewingApp().Run(start), kExitNoWindowSystem);
}

TEST(PagewingApp, AnUnboundLibraryStopsTheProgramWithItsReason)
{
    CScriptedStart start;
    start.m_strError = "the driver library /opt/lib/libVF620.so.1 lacks ordinal 40 (DownLoadFile).";
    EXPECT_EQ(CPagewingApp().Run(start), kExitDriverMissing);
    EXPECT_EQ(start.m_steps,
              (std::vector<std::string>{"bind", "report: Pagewing cannot start: the driver library "
                                                "/opt/lib/libVF620.so.1 lacks ordinal 40 "
                                                "(DownLoadFile)."}));
    EXPECT_TRUE(start.m_driver.m_calls.empty());
}
