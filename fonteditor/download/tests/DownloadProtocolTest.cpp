// The Download dialog against the real vfdsim over a pseudo-terminal. The
// 500 ms pauses run on a virtual clock; the port's own read time-outs (55 ms
// a reply) still bound every wait, so the runs are quick.
#include "ComPort.h"
#include "DownloadDlg.h"
#include "FakeControls.h"
#include "PosixSerialPort.h"
#include "RecordingUserInterface.h"
#include "VfdsimProcess.h"

#include <random>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace
{
constexpr unsigned kPort = 6;

struct DownloadAgainstVfdsim : ::testing::Test
{
    CVfdsimProcess m_sim;
    CFakeControls m_controls;
    CRecordingUserInterface m_ui;
    CVirtualClock m_clock;
    CDownloadDlg m_dlg{m_controls, m_ui, m_clock};

    void SetUp() override
    {
        m_controls.SetItems(IDC_SERIAL_PORT, {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                              "COM7", "COM8", "COM9", "COM10"});
    }

    std::string WriteFont(std::size_t nLength)
    {
        std::mt19937 random(static_cast<unsigned>(nLength) + 11);
        Bytes bytes(nLength);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        m_font = bytes;
        const auto path = m_sim.Dir() / ("sent" + std::to_string(nLength) + ".fnt");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    // Presses Download with the path and port index; the result message.
    std::string Download(const std::string& strPath, int nPortIndex = kPort - 1)
    {
        m_ui.m_messages.clear();
        m_clock.ClearWaits();
        m_dlg.m_strFilePath = strPath;
        m_dlg.OnInitDialog();
        m_controls.SetValue(IDC_SERIAL_PORT, nPortIndex);
        m_dlg.OnDownload();
        if (m_ui.m_messages.empty())
            return {};
        const auto& last = m_ui.m_messages.back();
        EXPECT_EQ(last.m_icon, last.m_strText == kMsgDownloadOk ? EMessageIcon::Information
                                                                : EMessageIcon::Warning);
        return last.m_strText;
    }
    // The frames of the current transfer that vfdsim logged, by frame number.
    std::vector<CJsonObject> Frames() { return ParseEvents("frame"); }
    std::vector<CJsonObject> ParseEvents(const std::string& strEvent)
    {
        std::vector<CJsonObject> found;
        for (const auto& entry : m_sim.Transcript())
            if (entry.Get("event") == strEvent)
                found.push_back(entry);
        return found;
    }

    static std::string Dump(const CVfdsimProcess& sim)
    {
        std::string text;
        for (const auto& entry : sim.Transcript())
            text += entry.ToString() + "\n";
        return text;
    }

    Bytes m_font;
};
} // namespace

TEST_F(DownloadAgainstVfdsim, FontsOfEveryBoundaryLengthArriveWhole)
{
    ASSERT_TRUE(m_sim.Start(kPort));
    unsigned nTransfers = 0;
    for (std::size_t nLength : {0u, 1u, 249u, 250u, 251u, 500u, 8192u})
    {
        SCOPED_TRACE(nLength);
        m_dlg.m_nGlyphWidth = 8;
        m_dlg.m_nGlyphHeight = 16;
        EXPECT_EQ(Download(WriteFont(nLength)), kMsgDownloadOk);
        ++nTransfers;
        ASSERT_TRUE(CVfdsimProcess::WaitFor(
            [&]() -> std::optional<bool> {
                return ParseEvents("download-end").size() >= nTransfers ? std::optional(true)
                                                                        : std::nullopt;
            },
            5s));
        EXPECT_EQ(m_sim.SavedFont(), m_font);
        const auto end = ParseEvents("download-end").back();
        EXPECT_EQ(end.Get("result"), "complete");
        EXPECT_EQ(end.Get("length_ok"), "true");
        // One 500 ms pause a frame: the header and L / 250 + 1 data frames.
        EXPECT_EQ(m_clock.Total(CVirtualClock::EWait::Sleep), 500ms * (nLength / 250 + 2));
    }
    const auto headers = Frames();
    EXPECT_EQ(headers.front().Get("width"), "8");
    EXPECT_EQ(headers.front().Get("height"), "16");
}

TEST_F(DownloadAgainstVfdsim, EveryFaultOfTheDisplayGivesItsMessage)
{
    struct CCase
    {
        std::vector<std::string> m_options;
        const char* m_pszMessage;
    };
    const CCase cases[] = {
        {{"--bad-header"}, kMsgHeaderError},
        {{"--bad-length", "--at-frame", "1"}, kMsgLengthError},
        {{"--bad-key", "--at-frame", "2"}, kMsgKeyError},
        {{"--bad-checksum"}, kMsgCheckError},
        {{"--status", "3", "--at-frame", "1"}, kMsgCommandError},
        {{"--abort", "--at-frame", "1"}, kMsgDownloadAbort},
        {{"--silence", "--at-frame", "1"}, kMsgReadTimeout},
        {{"--short-reply"}, kMsgReadPortError},
        {{"--short-reply=1", "--at-frame", "2"}, kMsgReadPortError},
        {{"--hang-up", "--at-frame", "1"}, kMsgSendError},
    };
    for (const CCase& c : cases)
    {
        SCOPED_TRACE(c.m_options[0]);
        CVfdsimProcess sim;
        ASSERT_TRUE(sim.Start(kPort, c.m_options));
        // The message first; a failed write adds the port's cause.
        const std::string strText = Download(WriteFont(600));
        EXPECT_EQ(strText.substr(0, strText.find('\n')), c.m_pszMessage);
        if (c.m_pszMessage == kMsgSendError)
        {
            EXPECT_EQ(strText.rfind(std::string(kMsgSendError) + "\n" + sim.Device() + ": ", 0), 0u)
                << strText;
        }
        else
        {
            EXPECT_EQ(strText, c.m_pszMessage);
        }
        EXPECT_EQ(m_dlg.m_progress.GetPos(), 0);
        if (c.m_pszMessage == kMsgReadTimeout)
        {
            // Ten attempts of 500 ms for the silent frame, one for the header.
            EXPECT_EQ(m_clock.Waits().size(), 11u);
            EXPECT_EQ(m_clock.Total(CVirtualClock::EWait::Sleep), 5500ms);
        }
        // The port is free again for the next attempt.
        CPosixSerialPort port;
        if (c.m_pszMessage != kMsgSendError)
        {
            EXPECT_TRUE(port.Open(sim.Device())) << port.GetLastError();
        }
    }
}

TEST_F(DownloadAgainstVfdsim, RepeatedRequestsAndLongRepliesStillDeliverTheFile)
{
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--repeat", "25", "--at-frame", "1"},
          std::vector<std::string>{"--repeat", "3"}, std::vector<std::string>{"--long-reply"},
          std::vector<std::string>{"--long-reply", "--at-frame", "1"}})
    {
        SCOPED_TRACE(options[0] + " " + options.back());
        CVfdsimProcess sim;
        ASSERT_TRUE(sim.Start(kPort, options));
        EXPECT_EQ(Download(WriteFont(700)), kMsgDownloadOk);
        ASSERT_TRUE(sim.WaitForEvent("download-end", 5s));
        EXPECT_EQ(sim.SavedFont(), m_font) << Dump(sim);
        if (options[0] == "--repeat")
        {
            // Asked for again n times: the editor sent that frame n + 1 times.
            const unsigned nRepeats = static_cast<unsigned>(std::stoul(options[1]));
            const std::string strFrame = options.size() > 2 ? options[3] : "0";
            unsigned nSent = 0;
            for (const auto& entry : sim.Transcript())
                if (entry.Get("event") == "frame" && entry.Get("frame") == strFrame)
                    ++nSent;
            EXPECT_EQ(nSent, nRepeats + 1);
        }
    }
}

TEST_F(DownloadAgainstVfdsim, PortsThatCannotBeOpenedGiveOpenSerialPortErrorAndTheCause)
{
    ASSERT_TRUE(m_sim.Start(kPort));
    const std::string strFont = WriteFont(10);
    const std::string strError = std::string(kMsgOpenPortError) + "\n";
    EXPECT_EQ(Download(strFont, -1), strError + "COM0: only COM1 to COM9 can be reached");
    EXPECT_EQ(Download(strFont, 9), strError + "COM10: only COM1 to COM9 can be reached");
    ::setenv("VFDKIT_COM5", "/dev/vfdkit-missing-port", 1);
    EXPECT_EQ(Download(strFont, 4), strError +
                                        "/dev/vfdkit-missing-port: no such device (COM5 is mapped "
                                        "to it by the variable VFDKIT_COM5)");
    ::unsetenv("VFDKIT_COM5");
    // Held by another program (this one, through another port object).
    {
        CPosixSerialPort holder;
        ASSERT_TRUE(holder.Open(m_sim.Device()));
        const std::string strText = Download(strFont);
        EXPECT_EQ(strText.rfind(
                      strError + m_sim.Device() + ": the port is in use by another program: ", 0),
                  0u)
            << strText;
        EXPECT_NE(strText.find("(process " + std::to_string(::getpid()) + ")"), std::string::npos)
            << strText;
        EXPECT_EQ(m_ui.Texts().size(), 2u);
    }
    EXPECT_EQ(Download(strFont), kMsgDownloadOk);
    EXPECT_TRUE(ParseEvents("frame").size() == 2u);
}
