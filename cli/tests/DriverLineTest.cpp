// vfdkit call and download over a real port, with vfdsim as the display:
// what the library's results become as exit statuses and output.
#include "RunTool.h"
#include "VfdsimProcess.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(VfdkitOverALine, AnEmptyFontExitsThreeAndSendsNothing)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(13, {"--idle-ms", "200"}));
    const auto font = sim.Dir() / "empty.bin";
    std::ofstream(font, std::ios::binary).flush();
    const auto run = RunVfdkit("download " + ShellQuote(font.string()) + " --port 13 --area 0");
    EXPECT_EQ(run.m_nStatus, 3) << run.m_strErr;
    EXPECT_NE(run.m_strErr.find("vfdkit download: The selected file is empty!"), std::string::npos)
        << run.m_strErr;
    std::this_thread::sleep_for(300ms); // a byte would have been reported by now
    EXPECT_TRUE(sim.DisplayBytes().empty());
}

TEST(VfdkitOverALine, ReceiveStrPrintsWhatTheDisplaySent)
{
    CVfdsimProcess sim;
    const auto pipe = sim.Dir() / "send";
    ASSERT_TRUE(sim.Start(13, {"--send-pipe", pipe.string()}));
    sim.PublishInUserPortMap(); // the library finds COM13 in the user's map
    // The bytes wait on the line until the tool reads them.
    std::ofstream(pipe, std::ios::binary) << "OK\r\n";
    ASSERT_TRUE(sim.WaitForEvent("sent", 5s));
    const auto run = RunVfdkit("call --port 13 ReceiveStr 4");
    EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "1\n4F 4B 0D 0A\n");
}
