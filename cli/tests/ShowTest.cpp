// vfdkit show and clear against vfdsim: what the screen shows afterwards.
#include "RunTool.h"
#include "TempFolder.h"
#include "VfdsimProcess.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace
{
// Waits until the screen file holds the two lines as drawn.
bool ScreenShows(const std::filesystem::path& screen, const std::string& strLine1,
                 const std::string& strLine2)
{
    auto row = [](std::string str)
    {
        str.resize(20, ' ');
        return "|" + str + "|\n";
    };
    const std::string strWanted = row(strLine1) + row(strLine2);
    return CVfdsimProcess::WaitFor(
               [&]() -> std::optional<bool>
               {
                   if (ReadWholeFile(screen).find(strWanted) != std::string::npos)
                       return true;
                   return std::nullopt;
               },
               5s)
        .has_value();
}
} // namespace

TEST(VfdkitShow, ReplacesBothLinesAndClearClearsThem)
{
    CVfdsimProcess sim;
    const auto screen = sim.Dir() / "screen.txt";
    ASSERT_TRUE(sim.Start(14, {"--idle-ms", "100", "--screen-text", screen.string()}));

    auto run = RunVfdkit("show --port 14 'TOTAL' '12.50 EUR'");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_TRUE(ScreenShows(screen, "TOTAL", "12.50 EUR")) << ReadWholeFile(screen);

    // A second show leaves nothing of the first: one line, twenty columns.
    run = RunVfdkit("show --port 14 '" + std::string(20, 'X') + "'");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_TRUE(ScreenShows(screen, std::string(20, 'X'), "")) << ReadWholeFile(screen);

    run = RunVfdkit("clear --port 14");
    ASSERT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_TRUE(ScreenShows(screen, "", "")) << ReadWholeFile(screen);
}

TEST(VfdkitShow, RefusesWhatTheDisplayCannotShowAndSendsNothing)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(14, {"--idle-ms", "100"}));
    const auto tooLong = RunVfdkit("show --port 14 OK '" + std::string(21, 'Y') + "'");
    EXPECT_EQ(tooLong.m_nStatus, 2);
    EXPECT_EQ(tooLong.m_strErr, "vfdkit show: LINE2 is 21 columns long, the display has 20: \"" +
                                    std::string(21, 'Y') + "\"\n");
    const auto control = RunVfdkit("show --port 14 \"$(printf 'A\\tB')\"");
    EXPECT_EQ(control.m_nStatus, 2);
    EXPECT_NE(control.m_strErr.find("LINE1 holds the control character 09"), std::string::npos)
        << control.m_strErr;
    EXPECT_EQ(RunVfdkit("show --port 14 1 2 3").m_nStatus, 2);
    EXPECT_EQ(RunVfdkit("show --port 0 A").m_nStatus, 2);
    EXPECT_EQ(RunVfdkit("clear --port 14 extra").m_nStatus, 2);
    std::this_thread::sleep_for(300ms); // a byte would have been reported by now
    EXPECT_TRUE(sim.DisplayBytes().empty());
}
