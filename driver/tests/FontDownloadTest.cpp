#include "DriverFixture.h"
#include "TempFolder.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{
const char* const kAreaMessage = "\"dwArea\" must be '0' (0x20 to 0x7F) && '1' (0x80 to 0xFF)!";
constexpr auto kBusy = CVirtualClock::EWait::Busy;
constexpr auto kSleep = CVirtualClock::EWait::Sleep;

struct FontDownload : ::testing::Test
{
    CDriverParts parts;
    std::unique_ptr<CDriver> pDriver = parts.MakeDriver();
    CFontDownload& download = pDriver->m_download;
    CTempFolder tmp;
    const fs::path& dir = tmp.Path();

    void Open() { ASSERT_EQ(pDriver->m_port.OpenDComm(1, 0, 9600), 1); }

    // A font file whose every byte tells its offset apart from its
    // neighbours' and from other pages' bytes.
    std::string Font(std::size_t nLength, const std::string& strName = "font.bin")
    {
        const auto path = dir / strName;
        std::ofstream out(path, std::ios::binary);
        for (std::size_t i = 0; i < nLength; ++i)
            out.put(static_cast<char>(FontByte(i)));
        return path.string();
    }
    static std::uint8_t FontByte(std::size_t nOffset)
    {
        return static_cast<std::uint8_t>(nOffset * 7 + nOffset / 256);
    }

    // The frame of one page with its 256 bytes from the file at nFrom, the
    // bytes past nFileLength zeros.
    static Bytes Frame(std::uint8_t nArea, std::uint8_t nPage, std::size_t nFrom,
                       std::size_t nFileLength)
    {
        Bytes frame = {0x1B, 0x53, nArea, nPage};
        for (std::size_t i = nFrom; i < nFrom + 256; ++i)
            frame.push_back(i < nFileLength ? FontByte(i) : 0);
        return frame;
    }
    static Bytes Before() { return BytesOf(std::string("\x1B\x52\x01\x0C") + "Downloading..."); }
    static Bytes After()
    {
        return BytesOf(std::string("\x0C") + "Download Complete!" + "\x1F\x45\x0A\x1F\x45" +
                       std::string(1, '\0') + "\x1B\x40");
    }

    // What went out: paced bytes, and the frames as whole writes.
    struct CLine
    {
        Bytes m_before, m_after;
        std::vector<Bytes> m_frames;
        std::vector<CClock::Duration> m_frameTimes;
    };
    CLine Line() const
    {
        CLine line;
        for (const auto& write : parts.m_fake.m_writes)
        {
            if (write.m_bytes.size() == 1)
            {
                // 18 paced bytes lead every download, frames or none.
                auto& side = line.m_before.size() < 18 ? line.m_before : line.m_after;
                side.push_back(write.m_bytes[0]);
            }
            else
            {
                line.m_frames.push_back(write.m_bytes);
                line.m_frameTimes.push_back(write.m_at);
            }
        }
        return line;
    }

    // The waits in order, as (kind, milliseconds), runs of 20 ms busy waits
    // folded into one entry of their total.
    std::vector<std::pair<CVirtualClock::EWait, long long>> Waits() const
    {
        std::vector<std::pair<CVirtualClock::EWait, long long>> waits;
        for (const auto& wait : parts.m_clock.Waits())
        {
            const auto nMs =
                std::chrono::duration_cast<std::chrono::milliseconds>(wait.m_duration).count();
            if (wait.m_kind == kBusy && !waits.empty() && waits.back().first == kBusy)
                waits.back().second += nMs;
            else
                waits.push_back({wait.m_kind, nMs});
        }
        return waits;
    }

    void ExpectNothingSent()
    {
        EXPECT_TRUE(parts.m_fake.m_writes.empty());
        EXPECT_TRUE(parts.m_clock.Waits().empty());
    }
};
} // namespace

TEST_F(FontDownload, AreaZeroSendsSixFramesBetweenTheProgressTextsInAboutTwentyEightSeconds)
{
    Open();
    EXPECT_EQ(download.DownLoadFile(Font(1536).c_str(), 0), 1);

    const auto line = Line();
    EXPECT_EQ(line.m_before, Before());
    ASSERT_EQ(line.m_frames.size(), 6u);
    for (std::uint8_t k = 1; k <= 6; ++k)
    {
        EXPECT_EQ(line.m_frames[k - 1], Frame(0x02, k, (k - 1) * 256u, 1536)) << int(k);
        EXPECT_EQ(line.m_frameTimes[k - 1], Ms(360 + (k - 1) * 4000));
    }
    EXPECT_EQ(line.m_after, After());

    using W = std::vector<std::pair<CVirtualClock::EWait, long long>>;
    EXPECT_EQ(Waits(), (W{{kBusy, 360},
                          {kSleep, 4000},
                          {kSleep, 4000},
                          {kSleep, 4000},
                          {kSleep, 4000},
                          {kSleep, 4000},
                          {kSleep, 4000},
                          {kBusy, 440},
                          {kSleep, 3000},
                          {kBusy, 100}}));
    EXPECT_EQ(parts.m_clock.Now(), Ms(27900));
    EXPECT_TRUE(parts.m_messages.empty());
}

TEST_F(FontDownload, AreaOneSendsEightFramesInAboutThirtySixSeconds)
{
    Open();
    EXPECT_EQ(download.DownLoadFile(Font(2048).c_str(), 1), 1);

    const auto line = Line();
    EXPECT_EQ(line.m_before, Before());
    ASSERT_EQ(line.m_frames.size(), 8u);
    for (std::uint8_t k = 1; k <= 8; ++k)
        EXPECT_EQ(line.m_frames[k - 1], Frame(0x03, k, (k - 1) * 256u, 2048)) << int(k);
    EXPECT_EQ(line.m_after, After());
    EXPECT_EQ(parts.m_clock.Total(kSleep), Ms(8 * 4000 + 3000));
    EXPECT_EQ(parts.m_clock.Now(), Ms(35900));
}

TEST_F(FontDownload, OnlyTheAreasBytesOfALongerFileAreSent)
{
    Open();
    EXPECT_EQ(download.DownLoadFile(Font(5000).c_str(), 0), 1);
    const auto line = Line();
    ASSERT_EQ(line.m_frames.size(), 6u);
    EXPECT_EQ(line.m_frames[5], Frame(0x02, 6, 1280, 5000));
}

TEST_F(FontDownload, ASinglePageAlwaysCarriesTheFilesFirstBytesInAboutSixSeconds)
{
    Open();
    const auto font = Font(2048);
    EXPECT_EQ(download.DownLoadFileSinglePage(font.c_str(), 0, 3), 1);
    auto line = Line();
    EXPECT_EQ(line.m_before, Before());
    ASSERT_EQ(line.m_frames.size(), 1u);
    EXPECT_EQ(line.m_frames[0], Frame(0x02, 3, 0, 2048));
    EXPECT_EQ(line.m_after, After());
    using W = std::vector<std::pair<CVirtualClock::EWait, long long>>;
    EXPECT_EQ(Waits(),
              (W{{kBusy, 360}, {kSleep, 2000}, {kBusy, 440}, {kSleep, 3000}, {kBusy, 100}}));
    EXPECT_EQ(parts.m_clock.Now(), Ms(5900));

    parts.m_fake.m_writes.clear();
    EXPECT_EQ(download.DownLoadFileSinglePage(font.c_str(), 1, 8), 1);
    EXPECT_EQ(Line().m_frames.at(0), Frame(0x03, 8, 0, 2048));

    // The page number is the argument's low byte, unchecked.
    parts.m_fake.m_writes.clear();
    EXPECT_EQ(download.DownLoadFileSinglePage(font.c_str(), 0, 0x1FF), 1);
    EXPECT_EQ(Line().m_frames.at(0), Frame(0x02, 0xFF, 0, 2048));
}

TEST_F(FontDownload, WithoutAPortNothingIsSentButEveryPauseRuns)
{
    const auto font = Font(2048);
    EXPECT_EQ(download.DownLoadFile(font.c_str(), 0), 0);
    EXPECT_EQ(parts.m_clock.Now(), Ms(27000));
    EXPECT_EQ(download.DownLoadFile(font.c_str(), 1), 0);
    EXPECT_EQ(parts.m_clock.Now(), Ms(27000 + 35000));
    EXPECT_EQ(download.DownLoadFileSinglePage(font.c_str(), 1, 2), 0);
    EXPECT_EQ(parts.m_clock.Now(), Ms(27000 + 35000 + 5000));
    EXPECT_EQ(parts.m_clock.Total(kBusy), Ms(0));
    EXPECT_TRUE(parts.m_fake.m_writes.empty());
    EXPECT_TRUE(parts.m_messages.empty());
}

TEST_F(FontDownload, TheResultIsThatOfTheLastFrameAndAFailedFrameStopsNothing)
{
    Open();
    const auto font = Font(1536);
    // 18 paced bytes come first, so the frames are write calls 18 to 23.
    parts.m_fake.m_nFailWriteAt = 18 + 2;
    EXPECT_EQ(download.DownLoadFile(font.c_str(), 0), 1);
    auto line = Line();
    EXPECT_EQ(line.m_frames.size(), 5u);
    EXPECT_EQ(line.m_frames[2], Frame(0x02, 4, 768, 1536));
    EXPECT_EQ(line.m_after, After());
    EXPECT_EQ(parts.m_clock.Total(kSleep), Ms(6 * 4000 + 3000));

    parts.m_fake = CFakeSerialPort(&parts.m_clock);
    pDriver->m_port.CloseDComm();
    Open();
    parts.m_fake.m_nFailWriteAt = 18 + 5;
    EXPECT_EQ(download.DownLoadFile(font.c_str(), 0), 0);
    EXPECT_EQ(Line().m_frames.size(), 5u);
    EXPECT_EQ(Line().m_after, After());

    parts.m_fake = CFakeSerialPort(&parts.m_clock);
    pDriver->m_port.CloseDComm();
    Open();
    parts.m_fake.m_nFailWriteAt = 18;
    EXPECT_EQ(download.DownLoadFileSinglePage(font.c_str(), 0, 1), 0);
    EXPECT_TRUE(Line().m_frames.empty());
    EXPECT_EQ(Line().m_after, After());
}

TEST_F(FontDownload, AnEmptyPathIsRefusedWithItsOwnMessage)
{
    Open();
    EXPECT_EQ(download.DownLoadFile("", 0), 0);
    EXPECT_EQ(download.DownLoadFile(nullptr, 0), 0);
    EXPECT_EQ(download.DownLoadFileSinglePage("", 0, 1), 0);
    EXPECT_EQ(download.DownLoadFileSinglePage(nullptr, 0, 1), 0);
    EXPECT_EQ(parts.m_messages, (std::vector<std::string>{"Please select the file path first!",
                                                          "Please select the file path first!",
                                                          "Please select file path first!",
                                                          "Please select file path first!"}));
    ExpectNothingSent();
}

TEST_F(FontDownload, AnEmptyFileIsReportedBeforeABadArea)
{
    Open();
    const auto empty = Font(0);
    EXPECT_EQ(download.DownLoadFile(empty.c_str(), 0), -1);
    EXPECT_EQ(download.DownLoadFile(empty.c_str(), 7), -1);
    EXPECT_EQ(download.DownLoadFileSinglePage(empty.c_str(), 0, 1), -1);
    EXPECT_EQ(download.DownLoadFileSinglePage(empty.c_str(), 7, 1), -1);
    EXPECT_EQ(parts.m_messages, std::vector<std::string>(4, "The selected file is empty!"));
    ExpectNothingSent();
}

TEST_F(FontDownload, ABadAreaIsRefusedAndTheTwoCallsAnswerDifferently)
{
    Open();
    const auto font = Font(2048);
    EXPECT_EQ(download.DownLoadFile(font.c_str(), 2), -1);
    // The whole argument counts here, not its low byte.
    EXPECT_EQ(download.DownLoadFile(font.c_str(), 0x100), -1);
    EXPECT_EQ(download.DownLoadFileSinglePage(font.c_str(), 2, 1), 0);
    EXPECT_EQ(download.DownLoadFileSinglePage(font.c_str(), 0xFFFFFFFF, 1), 0);
    EXPECT_EQ(parts.m_messages, std::vector<std::string>(4, kAreaMessage));
    ExpectNothingSent();
}

TEST_F(FontDownload, AnUnreadableFileIsNamedWithItsCauseAndNothingIsSent)
{
    Open();
    const auto missing = (dir / "no such font.bin").string();
    EXPECT_EQ(download.DownLoadFile(missing.c_str(), 0), 0);
    EXPECT_EQ(download.DownLoadFileSinglePage(dir.string().c_str(), 0, 1), 0);
    ASSERT_EQ(parts.m_messages.size(), 2u);
    EXPECT_NE(parts.m_messages[0].find(missing), std::string::npos) << parts.m_messages[0];
    EXPECT_NE(parts.m_messages[0].find("No such file or directory"), std::string::npos)
        << parts.m_messages[0];
    EXPECT_NE(parts.m_messages[1].find(dir.string()), std::string::npos) << parts.m_messages[1];
    EXPECT_NE(parts.m_messages[1].find("folder"), std::string::npos) << parts.m_messages[1];
    ExpectNothingSent();
}

TEST_F(FontDownload, AShortFileIsReadToItsEndAndTheMissingBytesGoOutAsZeros)
{
    Open();
    EXPECT_EQ(download.DownLoadFile(Font(300).c_str(), 0), 1);
    auto line = Line();
    ASSERT_EQ(line.m_frames.size(), 6u);
    EXPECT_EQ(line.m_frames[0], Frame(0x02, 1, 0, 300));
    EXPECT_EQ(line.m_frames[1], Frame(0x02, 2, 256, 300));
    EXPECT_EQ(line.m_frames[1][4 + 43], FontByte(299));
    EXPECT_EQ(line.m_frames[1][4 + 44], 0);
    for (std::uint8_t k = 3; k <= 6; ++k)
        EXPECT_EQ(line.m_frames[k - 1], Frame(0x02, k, 0, 0));

    parts.m_fake.m_writes.clear();
    EXPECT_EQ(download.DownLoadFileSinglePage(Font(10, "tiny.bin").c_str(), 1, 5), 1);
    EXPECT_EQ(Line().m_frames.at(0), Frame(0x03, 5, 0, 10));
    EXPECT_TRUE(parts.m_messages.empty());
}
