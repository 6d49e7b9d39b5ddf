// vfdsim killed (SIGKILL) in the middle of vfdkit send: vfdkit must end with
// a message and a failure status, and leave the font it sends untouched.
// Real time: the library paces its frames.
#include "RunTool.h"
#include "VfdsimProcess.h"

#include <future>

#include <gtest/gtest.h>

TEST(SimulatorKilled, SendFailsWithAMessageAndLeavesTheFont)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(7));
    // 16 frames of 256 bytes: several seconds on the line.
    const auto font = sim.Dir() / "font.bin";
    std::string bytes(16 * 256, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 13 % 251);
    std::ofstream(font, std::ios::binary) << bytes;

    auto pending = std::async(
        std::launch::async,
        [&] { return RunVfdkit("send " + ShellQuote(font.string()) + " --port 7 --area 1"); });
    // The first frame of the font has arrived: the transfer is under way.
    EXPECT_TRUE(sim.WaitForEvent("frame", std::chrono::seconds(10)));
    sim.Stop(SIGKILL);
    const auto run = pending.get();

    EXPECT_EQ(run.m_nStatus, 1) << run.m_strOut << run.m_strErr;
    // The path, as the dialog shows it, then the line's failure.
    EXPECT_EQ(run.m_strErr.rfind(font.string() + "\n", 0), 0u) << run.m_strErr;
    EXPECT_NE(run.m_strErr.find(" serial "), std::string::npos) << run.m_strErr;
    EXPECT_EQ(run.m_strOut.find("Download OK"), std::string::npos);
    std::ifstream in(font, std::ios::binary);
    EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == bytes);
}
