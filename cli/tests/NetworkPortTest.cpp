// The tools reach a display across TCP, in real time: through ser2net (the
// port server of the tills) in front of vfdsim's pseudo-terminal, raw and
// with RFC 2217, and through vfdsim serving itself (--listen). Only
// 127.0.0.1; every wait is bounded.
#include "RunTool.h"
#include "Ser2netProcess.h"
#include "TempFolder.h"
#include "VfdsimProcess.h"

#include <gtest/gtest.h>

namespace
{
namespace fs = std::filesystem;

// A font whose every other byte is 0xFF, the Telnet escape.
std::string WriteFfFont(const CTempFolder& dir, std::size_t nLength)
{
    std::string bytes(nLength, '\xFF');
    for (std::size_t i = 1; i < nLength; i += 2)
        bytes[i] = static_cast<char>(i * 7);
    return dir.Write("ff.fnt", bytes);
}

std::vector<std::uint8_t> Bytes(const std::string& strPath)
{
    const std::string bytes = ReadWholeFile(strPath);
    return {bytes.begin(), bytes.end()};
}

// Whether the display's end of the line was set to the rate, within 3 s (the
// quiet time after which vfdsim looks again).
bool RateReached(CVfdsimProcess& sim, const std::string& strRate)
{
    return CVfdsimProcess::WaitFor(
               [&]() -> std::optional<bool>
               {
                   for (const auto& entry : sim.Transcript())
                       if (entry.Get("event") == "line-rate" && entry.Get("rate") == strRate)
                           return true;
                   return std::nullopt;
               },
               std::chrono::seconds(3))
        .has_value();
}

// Points COM port nPort at strDevice for the tools started from here.
void MapPort(unsigned nPort, const std::string& strDevice)
{
    ::setenv(("VFDKIT_COM" + std::to_string(nPort)).c_str(), strDevice.c_str(), 1);
}
} // namespace

// vfdsim on its pseudo-terminal with ser2net in front of it.
struct Ser2netTest : ::testing::Test
{
    CTempFolder dir;
    CVfdsimProcess sim;
    std::optional<CSer2netProcess> server;

    void SetUp() override
    {
        if (CSer2netProcess::Program().empty())
            GTEST_SKIP() << "ser2net is not installed (scripts/deps.sh installs it)";
        ASSERT_TRUE(sim.Start(40));
        server.emplace(dir.Path(), sim.Device());
        ASSERT_TRUE(server->IsUp()) << ReadWholeFile(dir.Path() / "ser2net.log");
    }
};

TEST_F(Ser2netTest, CarriesTheDriverTheFontDownloadAndTheEditorsDownload)
{
    MapPort(5, server->Rfc2217()); // send reaches COM1 to COM9

    // The driver: a command, its byte on the display's line.
    auto run = RunVfdkit("call --port 5 ClearDisplay");
    EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_TRUE(sim.WaitForEvent("clear", std::chrono::seconds(5)));

    // The editor's download, every 0xFF through the Telnet layer both ways.
    const std::string font = WriteFfFont(dir, 300);
    run = RunVfdkit("send " + ShellQuote(font) + " --port 5");
    EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, "Download OK!\n");
    ASSERT_TRUE(sim.WaitForEvent("download-end", std::chrono::seconds(5)));
    EXPECT_EQ(sim.SavedFont(), Bytes(font));
    // The rate the programs set reached the device, which ser2net opened at
    // 115200 (seen by the bytes that came after it was applied).
    EXPECT_TRUE(RateReached(sim, "9600"));

    // The driver's font download of one page at another rate.
    run = RunVfdkit("download " + ShellQuote(font) + " --port 5 --area 1 --page 2 --baud 19200");
    EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_TRUE(RateReached(sim, "19200"));
}

TEST_F(Ser2netTest, ItsRawPortCarriesBytesAndABusyPortIsRefused)
{
    MapPort(7, server->Raw());
    auto run = RunVfdkit("call --port 7 ClearDisplay");
    EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
    EXPECT_TRUE(sim.WaitForEvent("clear", std::chrono::seconds(5)));

    // Another client holds the port: the tool is turned away, not left waiting.
    const int nHolder = ConnectToLocalPort(server->RawPort());
    ASSERT_GE(nHolder, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto started = std::chrono::steady_clock::now();
    run = RunVfdkit("send " + ShellQuote(WriteFfFont(dir, 10)) + " --port 7");
    EXPECT_NE(run.m_nStatus, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
    ::close(nHolder);
}

TEST(NetworkPorts, VfdsimServesItselfRawAndWithRfc2217)
{
    CTempFolder dir;
    const std::string font = WriteFfFont(dir, 300);
    for (const bool bRfc2217 : {true, false})
    {
        SCOPED_TRACE(bRfc2217 ? "rfc2217" : "raw");
        CVfdsimProcess sim;
        std::vector<std::string> listen{"--listen", "127.0.0.1:0"};
        if (bRfc2217)
            listen.push_back("--rfc2217");
        ASSERT_TRUE(sim.Start(6, listen));
        EXPECT_EQ(sim.Device().rfind(bRfc2217 ? "rfc2217://127.0.0.1:" : "tcp://127.0.0.1:", 0), 0u)
            << sim.Device();
        // --port takes the address itself as well as a number the address is mapped to.
        const auto run = RunVfdkit("send " + ShellQuote(font) + " --port " +
                                   (bRfc2217 ? std::string("6") : ShellQuote(sim.Device())));
        EXPECT_EQ(run.m_nStatus, 0) << run.m_strErr;
        ASSERT_TRUE(sim.WaitForEvent("download-end", std::chrono::seconds(5)));
        EXPECT_EQ(sim.SavedFont(), Bytes(font));
        // Only RFC 2217 carries the rate.
        EXPECT_EQ(sim.WaitForEvent("line-rate", std::chrono::milliseconds(bRfc2217 ? 1000 : 0))
                      .has_value(),
                  bRfc2217);
    }
}
