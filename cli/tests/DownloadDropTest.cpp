// vfdkit download when the line goes down before the frame: exit status 1.
// Real time: the library's pauses after the frame still run (5 s).
#include "RunTool.h"
#include "VfdsimProcess.h"

#include <gtest/gtest.h>

TEST(VfdkitDownload, ALineThatDropsBeforeTheFrameExitsOne)
{
    CVfdsimProcess sim;
    // 1B 52 01, 0C and "Downloading..." are 18 bytes; then the line drops.
    ASSERT_TRUE(sim.Start(14, {"--drop-after", "18"}));
    const auto font = sim.Dir() / "font.bin";
    std::ofstream(font, std::ios::binary) << std::string(256, '\x55');
    const auto run =
        RunVfdkit("download " + ShellQuote(font.string()) + " --port 14 --area 1 --page 2");
    EXPECT_EQ(run.m_nStatus, 1) << run.m_strOut << run.m_strErr;
    EXPECT_NE(run.m_strErr.find("vfdkit download: the last frame could not be written"),
              std::string::npos)
        << run.m_strErr;
    EXPECT_TRUE(sim.WaitForExit(std::chrono::seconds(5)));
    const std::vector<std::uint8_t> before = {0x1B, 0x52, 0x01, 0x0C, 'D', 'o', 'w', 'n', 'l',
                                              'o',  'a',  'd',  'i',  'n', 'g', '.', '.', '.'};
    EXPECT_EQ(sim.DisplayBytes(), before);
}
