// vfdkit send against vfdsim, in real time: each frame waits 500 ms for its
// reply, so the files are small.
#include "RunTool.h"
#include "TempFolder.h"
#include "VfdsimProcess.h"

#include <gtest/gtest.h>

namespace
{
std::string WriteFont(const CVfdsimProcess& sim, std::size_t nLength)
{
    const auto path = sim.Dir() / "font.fnt";
    std::string bytes(nLength, '\0');
    for (std::size_t i = 0; i < nLength; ++i)
        bytes[i] = static_cast<char>(i * 13 + 5);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}
} // namespace

TEST(VfdkitSend, DeliversTheFontAndExitsZeroOnlyForDownloadOk)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(8));
    const std::string font = WriteFont(sim, 260); // three frames: 1.5 s
    const auto run =
        RunVfdkit("send " + ShellQuote(font) + " --port 8 --area 1 --width 8 --height 8");
    EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "Download OK!\n");
    EXPECT_EQ(run.m_strErr, font + "\n"); // no bar: not a terminal
    ASSERT_TRUE(sim.WaitForEvent("download-end", std::chrono::seconds(5)));
    const std::string sent = ReadWholeFile(font);
    EXPECT_EQ(sim.SavedFont(), std::vector<std::uint8_t>(sent.begin(), sent.end()));
    const auto header = sim.WaitForEvent("frame", std::chrono::seconds(1));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Get("area"), "1");
    EXPECT_EQ(header->Get("width"), "8");
}

TEST(VfdkitSend, AnAbortedTransferExitsOne)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(9, {"--abort"}));
    const std::string font = WriteFont(sim, 10); // one frame: 0.5 s
    const auto run = RunVfdkit("send " + ShellQuote(font) + " --port 9");
    EXPECT_EQ(run.m_nStatus, 1);
    EXPECT_EQ(run.m_strErr, font + "\nDownload Abort!\n");
}
