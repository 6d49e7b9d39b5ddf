// vfdsim killed (SIGKILL) in the middle of vfdkit send and vfdkit download:
// vfdkit must end with a message and a failure status, and leave the font it
// sends untouched. Real time: the protocol and the library pace the frames.
#include "RunTool.h"
#include "TempFolder.h"
#include "VfdsimProcess.h"

#include <future>

#include <gtest/gtest.h>

namespace
{
struct SimulatorKilled : ::testing::Test
{
    CVfdsimProcess sim;
    std::string bytes;

    std::string FontPath() const { return (sim.Dir() / "font.bin").string(); }

    // Starts vfdsim on the port, writes a font of nBytes (a pattern), runs
    // vfdkit on it and kills vfdsim once its transcript shows the event that
    // says the transfer is under way; how vfdkit ended.
    CToolRun RunAndKill(unsigned nPort, std::size_t nBytes, const std::string& strCommand,
                        const char* pszEvent)
    {
        EXPECT_TRUE(sim.Start(nPort));
        bytes.assign(nBytes, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 13 % 251);
        std::ofstream(FontPath(), std::ios::binary) << bytes;
        auto pending = std::async(std::launch::async,
                                  [&]
                                  {
                                      return RunVfdkit(strCommand + " " + ShellQuote(FontPath()) +
                                                       " --port " + std::to_string(nPort));
                                  });
        EXPECT_TRUE(sim.WaitForEvent(pszEvent, std::chrono::seconds(10)));
        sim.Stop(SIGKILL);
        // The pauses of the protocols still run; a minute is plenty. A hang
        // is reported here before the test's time-out ends it.
        EXPECT_EQ(pending.wait_for(std::chrono::seconds(60)), std::future_status::ready);
        return pending.get();
    }

    bool FontUnchanged() const { return ReadWholeFile(FontPath()) == bytes; }
};
} // namespace

TEST_F(SimulatorKilled, SendFailsWithAMessageAndLeavesTheFont)
{
    // 16 frames of 256 bytes: several seconds on the line; killed once the
    // first frame of the font has arrived.
    const auto run = RunAndKill(7, 16 * 256, "send --area 1", "frame");
    EXPECT_EQ(run.m_nStatus, 1) << run.m_strOut << run.m_strErr;
    // The path, as the dialog shows it, then the line's failure.
    EXPECT_EQ(run.m_strErr.rfind(FontPath() + "\n", 0), 0u) << run.m_strErr;
    EXPECT_NE(run.m_strErr.find(" serial "), std::string::npos) << run.m_strErr;
    EXPECT_EQ(run.m_strOut.find("Download OK"), std::string::npos);
    EXPECT_TRUE(FontUnchanged());
}

TEST_F(SimulatorKilled, DownloadFailsWithAMessageAndEnds)
{
    // Area 0: six pages of 256 bytes, one frame each, 4 s apart (about 28 s
    // in all); killed once the first page has arrived.
    const auto run = RunAndKill(15, 6 * 256, "download --area 0", "font-page");
    EXPECT_EQ(run.m_nStatus, 1) << run.m_strOut << run.m_strErr;
    EXPECT_NE(run.m_strErr.find("vfdkit download: the last frame could not be written"),
              std::string::npos)
        << run.m_strErr;
    EXPECT_EQ(run.m_strOut.find("Download complete."), std::string::npos) << run.m_strOut;
    EXPECT_TRUE(FontUnchanged());
}
