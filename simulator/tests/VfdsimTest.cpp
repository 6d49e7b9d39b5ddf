#include "ConsoleFont.h"
#include "PosixSerialPort.h"
#include "TempFolder.h"
#include "VfdsimProcess.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/ioctl.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace
{
// vfdsim run through the shell, for its command line.
int RunVfdsim(const std::string& strArgs, std::string* pOut = nullptr)
{
    const std::string strOut = "/tmp/vfdsim_out_" + std::to_string(::getpid());
    const int nRaw =
        std::system((std::string(VFDSIM_EXE) + " " + strArgs + " >" + strOut + " 2>&1").c_str());
    if (pOut)
        *pOut = ReadWholeFile(strOut);
    std::remove(strOut.c_str());
    return WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1;
}

Bytes Frame(Bytes frame)
{
    std::uint8_t nSum = 0;
    for (std::size_t i = 0; i + 1 < frame.size(); ++i)
        nSum ^= frame[i];
    frame.push_back(nSum); // XOR of all but the last byte before it
    return frame;
}

bool OpenLine(CPosixSerialPort& port, const std::string& strDevice)
{
    return port.Open(strDevice) && port.Configure({9600, 0, 8}) &&
           port.SetReadTimeouts({50, 1, 500});
}
} // namespace

TEST(Vfdsim, HelpAndWrongArguments)
{
    std::string strOut;
    EXPECT_EQ(RunVfdsim("--help", &strOut), 0);
    EXPECT_NE(strOut.find("--save-font F"), std::string::npos);
    EXPECT_EQ(RunVfdsim("--status 1", &strOut), 2);
    EXPECT_NE(strOut.find("--status must be a number from 3 to 255"), std::string::npos) << strOut;
    EXPECT_EQ(RunVfdsim("--transcript /no/such/folder/t.jsonl", &strOut), 1);
    EXPECT_NE(strOut.find("/no/such/folder/t.jsonl"), std::string::npos);
}

TEST(Vfdsim, PublishesItsPortAndStopsCleanlyOnEitherSignal)
{
    for (const int nSignal : {SIGTERM, SIGINT})
    {
        CVfdsimProcess sim;
        ASSERT_TRUE(sim.Start(7));
        EXPECT_EQ(std::string(std::getenv("VFDKIT_COM7")), sim.Device());
        std::ifstream out(sim.Dir() / "stdout");
        std::string line;
        std::getline(out, line);
        EXPECT_EQ(line, "VFDKIT_COM7=" + sim.Device());

        CPosixSerialPort port;
        EXPECT_TRUE(OpenLine(port, sim.Device())) << port.GetLastError();
        port.Close();

        EXPECT_EQ(sim.Stop(nSignal), 0);
        EXPECT_FALSE(std::filesystem::exists(sim.PortFile()));
        const auto entries = sim.Transcript();
        ASSERT_GE(entries.size(), 2u);
        EXPECT_EQ(entries.front().Get("event"), "start");
        EXPECT_EQ(entries.front().Get("device"), sim.Device());
        EXPECT_EQ(entries.back().Get("event"), "stop");
        EXPECT_EQ(entries.back().Get("reason"), "signal");
    }
}

TEST(Vfdsim, LinkLeadsToTheLineWhileItRunsAndGoesOnEitherSignal)
{
    for (const int nSignal : {SIGTERM, SIGINT})
    {
        CVfdsimProcess sim;
        const auto link = sim.Dir() / "display";
        ASSERT_TRUE(sim.Start(7, {"--link", link.string()}));
        EXPECT_EQ(std::filesystem::read_symlink(link), sim.Device());
        // A program set up with the fixed path reaches the display.
        CPosixSerialPort port;
        ASSERT_TRUE(OpenLine(port, link.string())) << port.GetLastError();
        const Bytes bytes = {0x0C};
        EXPECT_EQ(port.Write(bytes.data(), bytes.size()), 1);
        EXPECT_EQ(sim.WaitForDisplayBytes(1, 5s), bytes);
        port.Close();
        EXPECT_EQ(sim.Transcript().front().Get("link"), link.string());
        EXPECT_EQ(sim.Stop(nSignal), 0);
        EXPECT_FALSE(std::filesystem::is_symlink(link)) << nSignal;
    }
}

TEST(Vfdsim, LinkTakesOnlyAStaleLinksPlace)
{
    CVfdsimProcess first;
    const auto link = first.Dir() / "display";
    ASSERT_TRUE(first.Start(8, {"--link", link.string()}));
    // Killed, it leaves its link to a terminal that is gone with it.
    ASSERT_EQ(first.Stop(SIGKILL), -1);
    ASSERT_EQ(std::filesystem::read_symlink(link), first.Device());
    // The programs running beside this test may take that terminal's number
    // at once, so the gone terminal is one whose number none can have (the
    // kernel counts below 2^20).
    std::filesystem::remove(link);
    std::filesystem::create_symlink("/dev/pts/1048576", link);
    CVfdsimProcess second;
    ASSERT_TRUE(second.Start(8, {"--link", link.string()}));
    EXPECT_EQ(std::filesystem::read_symlink(link), second.Device());

    // Anything else stays as it is, and vfdsim says why it will not start.
    const auto file = second.Dir() / "a-file";
    std::ofstream(file) << "kept";
    const auto elsewhere = second.Dir() / "elsewhere";
    std::filesystem::create_symlink("/dev/null", elsewhere);
    std::string strOut;
    EXPECT_EQ(RunVfdsim("--link " + link.string(), &strOut), 1);
    EXPECT_EQ(strOut, "vfdsim: --link " + link.string() + " links to " + second.Device() +
                          ", a terminal in use: remove it or choose another path\n");
    EXPECT_EQ(RunVfdsim("--link " + file.string(), &strOut), 1);
    EXPECT_EQ(strOut, "vfdsim: --link " + file.string() +
                          " exists and is no link: remove it or choose another path\n");
    EXPECT_EQ(RunVfdsim("--link " + elsewhere.string(), &strOut), 1);
    EXPECT_EQ(strOut, "vfdsim: --link " + elsewhere.string() +
                          " links to /dev/null, not to a pseudo-terminal: remove it or choose "
                          "another path\n");
    EXPECT_EQ(std::filesystem::read_symlink(link), second.Device());
    EXPECT_EQ(ReadWholeFile(file), "kept");
    EXPECT_EQ(std::filesystem::read_symlink(elsewhere), "/dev/null");
    EXPECT_EQ(RunVfdsim("--link /no/such/folder/display", &strOut), 1);
    EXPECT_NE(strOut.find("--link /no/such/folder/display: cannot make the link: "),
              std::string::npos)
        << strOut;
}

TEST(Vfdsim, SleepsWhileTheLineIsQuiet)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(1));
    auto cpuTicks = [&]
    {
        std::ifstream stat("/proc/" + std::to_string(sim.Pid()) + "/stat");
        std::string field;
        long long nTicks = 0;
        for (int i = 1; i <= 15 && stat >> field; ++i)
            if (i == 14 || i == 15) // utime, stime
                nTicks += std::stoll(field);
        return nTicks;
    };
    const long long nBefore = cpuTicks();
    std::this_thread::sleep_for(500ms);
    // A spinning loop would have used about 50 ticks of the 500 ms.
    EXPECT_LE(cpuTicks() - nBefore, 5);
}

TEST(Vfdsim, DecodesTheDisplaysCommandsAndShowsTheScreen)
{
    CVfdsimProcess sim;
    const auto text = sim.Dir() / "screen.txt";
    const auto png = sim.Dir() / "screen.png";
    ASSERT_TRUE(sim.Start(
        2, {"--idle-ms", "100", "--screen-text", text.string(), "--screen-png", png.string()}));
    CPosixSerialPort port;
    ASSERT_TRUE(OpenLine(port, sim.Device()));
    const Bytes bytes = {0x1B, 0x40, 'H', 'E', 'L', 'L', 'O', 0x0D, 0x1B,
                         0x51, 0x42, 'W', 'O', 'R', 'L', 'D', 0x0D};
    ASSERT_EQ(port.Write(bytes.data(), bytes.size()), static_cast<long long>(bytes.size()));
    EXPECT_EQ(sim.WaitForDisplayBytes(bytes.size(), 5s), bytes);
    const auto screen = CVfdsimProcess::WaitFor(
        [&]() -> std::optional<CJsonObject>
        {
            const auto entries = sim.Transcript();
            for (auto it = entries.rbegin(); it != entries.rend(); ++it)
                if (it->Get("event") == "screen")
                    return it->Get("line2") == "WORLD" + std::string(15, ' ')
                               ? std::optional<CJsonObject>(*it)
                               : std::nullopt;
            return std::nullopt;
        },
        5s);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Get("line1"), "HELLO" + std::string(15, ' '));
    std::vector<std::string> events;
    for (const auto& entry : sim.Transcript())
        if (entry.Has("rx"))
            events.push_back(*entry.Get("event"));
    EXPECT_EQ(events, (std::vector<std::string>{"initialise", "text", "cursor", "show-text"}));

    const std::string strText = ReadWholeFile(text);
    EXPECT_NE(strText.find("|HELLO               |\n|WORLD               |\n"), std::string::npos)
        << strText;
    std::ifstream picture(png, std::ios::binary);
    std::string strSignature(8, '\0');
    picture.read(strSignature.data(), 8);
    EXPECT_EQ(strSignature, "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(sim.Transcript().front().Get("console_font"), CConsoleFont::kDefaultPath);
}

TEST(Vfdsim, AMissingConsoleFontIsNamedAndThePictureStillComes)
{
    CVfdsimProcess sim;
    const auto png = sim.Dir() / "screen.png";
    ASSERT_TRUE(
        sim.Start(6, {"--console-font", "/no/such/font.psf.gz", "--screen-png", png.string()}));
    const auto start = sim.Transcript().front();
    EXPECT_NE(start.Get("console_font_error")->find("/no/such/font.psf.gz"), std::string::npos);
    EXPECT_TRUE(CVfdsimProcess::WaitFor(
        [&]() -> std::optional<bool>
        { return std::filesystem::exists(png) ? std::optional<bool>(true) : std::nullopt; },
        5s));
}

TEST(Vfdsim, BytesWrittenToTheSendPipeReachTheTool)
{
    CVfdsimProcess sim;
    const auto pipe = sim.Dir() / "send";
    ASSERT_TRUE(sim.Start(8, {"--send-pipe", pipe.string()}));
    CPosixSerialPort port;
    ASSERT_TRUE(OpenLine(port, sim.Device()));
    {
        std::ofstream out(pipe, std::ios::binary);
        out << "OK\r\n";
    }
    Bytes got(4);
    EXPECT_EQ(port.Read(got.data(), 4), 4);
    EXPECT_EQ(got, (Bytes{'O', 'K', '\r', '\n'}));
    const auto sent = sim.WaitForEvent("sent", 5s);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->Get("bytes"), "4F 4B 0D 0A");
    EXPECT_FALSE(sent->Has("rx")); // not a display-side byte
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(pipe));
}

TEST(Vfdsim, DropsTheLineAfterTheBytesAskedFor)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(9, {"--drop-after", "3"}));
    CPosixSerialPort port;
    ASSERT_TRUE(OpenLine(port, sim.Device()));
    const Bytes bytes = {0x1B, 0x40, 0x0C};
    ASSERT_EQ(port.Write(bytes.data(), 3), 3);
    ASSERT_TRUE(sim.WaitForExit(5s));
    EXPECT_EQ(port.Write(bytes.data(), 1), -1);
    EXPECT_EQ(sim.DisplayBytes(), bytes);
    const auto entries = sim.Transcript();
    const auto drop = std::find_if(entries.begin(), entries.end(),
                                   [](const CJsonObject& e) { return e.Get("event") == "drop"; });
    ASSERT_NE(drop, entries.end());
    EXPECT_EQ(drop->GetInteger("after_bytes"), 3);
    EXPECT_EQ(entries.back().Get("reason"), "hang-up");
}

TEST(Vfdsim, AnswersTheDownloadOverTheLineAndSavesTheFile)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(3));
    CPosixSerialPort port;
    ASSERT_TRUE(OpenLine(port, sim.Device()));
    auto exchange = [&](const Bytes& frame)
    {
        EXPECT_EQ(port.Write(frame.data(), frame.size()), static_cast<long long>(frame.size()));
        Bytes reply(5);
        reply.resize(static_cast<std::size_t>(std::max(0LL, port.Read(reply.data(), 5))));
        return reply;
    };
    EXPECT_EQ(exchange(Frame({0x1B, 0x0C, 0x01, 0x01, 0, 3, 0, 0, 0, 8, 8})),
              (Bytes{0x1B, 0x05, 0x01, 0x02, 0x1B ^ 0x05 ^ 0x01 ^ 0x02}));
    EXPECT_EQ(exchange(Frame({0x1B, 0x08, 0x01, 0x00, 'a', 'b', 'c'})),
              (Bytes{0x1B, 0x05, 0x01, 0x00, 0x1B ^ 0x05 ^ 0x01}));
    ASSERT_TRUE(sim.WaitForEvent("download-end", 5s));
    EXPECT_EQ(sim.SavedFont(), (Bytes{'a', 'b', 'c'}));
}

TEST(Vfdsim, HangUpMakesTheNextWriteFail)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(4, {"--hang-up"}));
    CPosixSerialPort port;
    ASSERT_TRUE(OpenLine(port, sim.Device()));
    const Bytes header = Frame({0x1B, 0x0C, 0x01, 0x01, 0, 9, 0, 0, 0, 8, 8});
    ASSERT_EQ(port.Write(header.data(), header.size()), 12);
    Bytes reply(5);
    EXPECT_EQ(port.Read(reply.data(), 5), 5); // the reply still arrives
    const Bytes frame = Frame({0x1B, 0x0E, 0x01, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(port.Write(frame.data(), frame.size()), -1);
    EXPECT_TRUE(sim.WaitForExit(5s));
    const auto entries = sim.Transcript();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back().Get("reason"), "hang-up");
}

TEST(Vfdsim, ClearsTheExclusiveMarkOfAToolThatDiedHoldingThePort)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(5, {"--idle-ms", "100"}));
    const pid_t child = ::fork();
    if (child == 0)
    {
        // Takes the port as a tool does, sends a byte and dies without closing.
        const int nFd = ::open(sim.Device().c_str(), O_RDWR | O_NOCTTY);
        ::flock(nFd, LOCK_EX);
        ::ioctl(nFd, TIOCEXCL);
        [[maybe_unused]] const auto n = ::write(nFd, "x", 1);
        ::_exit(0);
    }
    int nRaw = 0;
    ::waitpid(child, &nRaw, 0);
    const bool bCleared = CVfdsimProcess::WaitFor(
                              [&]() -> std::optional<bool>
                              {
                                  // As root this open passes the mark; so it can look.
                                  const int nFd =
                                      ::open(sim.Device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
                                  int nExclusive = 1;
                                  if (nFd >= 0)
                                  {
                                      ::ioctl(nFd, TIOCGEXCL, &nExclusive);
                                      ::close(nFd);
                                  }
                                  return nExclusive == 0 ? std::optional<bool>(true) : std::nullopt;
                              },
                              5s)
                              .has_value();
    EXPECT_TRUE(bCleared);
}
