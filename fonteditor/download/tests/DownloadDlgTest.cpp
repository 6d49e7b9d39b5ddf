#include "DownloadDlg.h"

#include "ComPort.h"
#include "FakeControls.h"
#include "FakePortView.h"
#include "FakeSerialPort.h"
#include "RecordingUserInterface.h"
#include "TempFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace
{
Bytes Reply(std::uint8_t nStatus, std::uint8_t nKey = 0x01)
{
    Bytes reply = {0x1B, 0x05, nKey, nStatus};
    reply.push_back(reply[0] ^ reply[1] ^ reply[2] ^ reply[3]);
    return reply;
}

// The frames a file must go out as, worked out here from the wire format
// and not from the code under test.
std::vector<Bytes> ExpectedFrames(const Bytes& file, std::uint32_t nArea, int nWidth, int nHeight)
{
    const auto nLength = static_cast<std::uint32_t>(file.size());
    Bytes header = {0x1B,
                    12,
                    0x01,
                    0x01,
                    static_cast<std::uint8_t>(nArea & 0xFF),
                    static_cast<std::uint8_t>(nLength & 0xFF),
                    static_cast<std::uint8_t>((nLength >> 8) & 0xFF),
                    static_cast<std::uint8_t>((nLength >> 16) & 0xFF),
                    static_cast<std::uint8_t>(nLength >> 24),
                    static_cast<std::uint8_t>(nWidth),
                    static_cast<std::uint8_t>(nHeight)};
    std::uint8_t nSum = 0;
    for (int i = 0; i <= 9; ++i)
        nSum ^= header[i];
    header.push_back(nSum);

    std::vector<Bytes> frames = {header};
    std::uint8_t nSequence = 1;
    for (std::size_t nAt = 0;; nAt += 250)
    {
        const std::size_t n = std::min<std::size_t>(250, file.size() - nAt);
        nSequence = n < 250 ? 0 : nSequence == 2 ? 1 : 2;
        Bytes frame = {0x1B, static_cast<std::uint8_t>(n + 5), 0x01, nSequence};
        frame.insert(frame.end(), file.begin() + nAt, file.begin() + nAt + n);
        nSum = 0;
        for (std::size_t i = 0; i <= n + 2; ++i)
            nSum ^= frame[i];
        frame.push_back(nSum);
        frames.push_back(frame);
        if (n < 250)
            return frames;
    }
}

// Plays the display on the fake port: each frame written gets the reply the
// display's firmware would give (the sequence number it wants next, 0 after
// the last frame), unless the test scripts the replies to a frame.
struct CFakeDisplay
{
    std::vector<Bytes> m_frames;
    // Frame index -> the reads the port then offers; an empty list is silence.
    std::map<std::size_t, std::vector<Bytes>> m_script;

    void Attach(CFakeSerialPort& port)
    {
        port.m_onWrite = [this](CFakeSerialPort& p, const Bytes& frame)
        {
            m_frames.push_back(frame);
            const auto it = m_script.find(m_frames.size() - 1);
            if (it != m_script.end())
            {
                for (const Bytes& read : it->second)
                    p.QueueRead(read);
                return;
            }
            const std::uint8_t nSequence = frame.size() > 3 ? frame[3] : 0;
            const bool bHeader = frame.size() == 12 && nSequence == 1 && m_frames.size() == 1;
            p.QueueRead(Reply(bHeader ? 2 : nSequence == 0 ? 0 : 3 - nSequence));
        };
    }
};

struct DownloadDlg : ::testing::Test
{
    const CTempFolder m_folder;
    const fs::path& m_dir = m_folder.Path();
    CFakeControls m_controls;
    CRecordingUserInterface m_ui;
    CVirtualClock m_clock;
    CFakeSerialPort m_port{&m_clock};
    CFakeDisplay m_display;
    int m_nPortsMade = 0;
    CComPortFactoryScope m_scope{[this]
                                 {
                                     ++m_nPortsMade;
                                     return CFakePortView::Of(m_port);
                                 }};
    CDownloadDlg m_dlg{m_controls, m_ui, m_clock};

    void SetUp() override
    {
        m_controls.SetItems(IDC_SERIAL_PORT, {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                              "COM7", "COM8", "COM9"});
        m_display.Attach(m_port);
    }

    std::string WriteFont(const Bytes& bytes)
    {
        const auto path = m_dir / ("font" + std::to_string(bytes.size()));
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    static Bytes RandomBytes(std::size_t n)
    {
        std::mt19937 random(static_cast<unsigned>(n));
        Bytes bytes(n);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        return bytes;
    }
    // Runs the dialog with the path set and presses Download.
    void Download(const std::string& strPath)
    {
        m_dlg.m_strFilePath = strPath;
        m_dlg.OnInitDialog();
        m_dlg.OnDownload();
    }
    CFakeControls::CRecordingProgressBar& Bar()
    {
        return m_controls.m_progressBars[IDC_DOWNLOAD_PROGRESS];
    }
    // The transfer's result: the last message box, which must carry the
    // warning icon unless it is "Download OK!".
    std::string Result()
    {
        EXPECT_FALSE(m_ui.m_messages.empty());
        if (m_ui.m_messages.empty())
            return {};
        const auto& last = m_ui.m_messages.back();
        EXPECT_EQ(last.m_icon, last.m_strText == kMsgDownloadOk ? EMessageIcon::Information
                                                                : EMessageIcon::Warning);
        EXPECT_EQ(last.m_strCaption, std::nullopt);
        EXPECT_EQ(last.m_buttons, EMessageButtons::Ok);
        return last.m_strText;
    }
    // After every transfer that opened the port: closed, bar back at 0.
    void ExpectCleanedUp()
    {
        EXPECT_FALSE(m_port.IsOpen());
        EXPECT_EQ(m_port.m_nCloseCount, m_port.m_nOpenCount);
        EXPECT_EQ(Bar().m_positions.back(), 0);
    }
};
} // namespace

TEST_F(DownloadDlg, ShowsPathPortAndAreaAndTakesThemInOrder)
{
    m_dlg.m_strFilePath = "/fonts/a.fnt";
    m_dlg.OnInitDialog();
    EXPECT_EQ(m_controls.GetText(IDC_FILE_PATH), "/fonts/a.fnt");
    EXPECT_EQ(m_controls.GetText(IDC_FONT_AREA), "0");
    EXPECT_EQ(m_controls.GetValue(IDC_SERIAL_PORT), 0);
    EXPECT_TRUE(m_dlg.m_progress.IsAttached());

    // A bad area stops the exchange there: port and path are not taken.
    m_controls.SetText(IDC_FONT_AREA, "-1");
    m_controls.SetValue(IDC_SERIAL_PORT, 3);
    m_controls.SetText(IDC_FILE_PATH, "/elsewhere");
    m_dlg.OnDownload();
    EXPECT_EQ(m_ui.Texts(), (std::vector<std::string>{"Please enter a positive integer."}));
    EXPECT_EQ(m_controls.m_focusAndSelect, (std::vector<int>{IDC_FONT_AREA}));
    EXPECT_EQ(m_dlg.m_nPortIndex, 0);
    EXPECT_EQ(m_dlg.m_strFilePath, "/fonts/a.fnt");
    EXPECT_FALSE(m_dlg.OnOK());
    EXPECT_EQ(m_nPortsMade, 0);

    m_controls.SetText(IDC_FONT_AREA, " 7 ");
    EXPECT_TRUE(m_dlg.OnOK());
    EXPECT_EQ(m_dlg.m_nFontArea, 7u);
    EXPECT_EQ(m_dlg.m_nPortIndex, 3);
    EXPECT_EQ(m_dlg.m_strFilePath, "/elsewhere");
}

TEST_F(DownloadDlg, AnUnsavedDocumentIsRefusedBeforeAnythingElse)
{
    Download("");
    EXPECT_EQ(m_ui.Texts(), (std::vector<std::string>{kMsgSaveFileFirst}));
    EXPECT_EQ(m_ui.m_messages[0].m_icon, EMessageIcon::Warning);
    EXPECT_EQ(m_nPortsMade, 0);
}

TEST_F(DownloadDlg, ThePathIsShownBeforeTheFileOrPortIsTouched)
{
    const std::string strMissing = (m_dir / "gone.fnt").string();
    bool bPortTouched = true;
    m_ui.m_onMessage = [&](const CMessageBoxRequest& request)
    {
        if (request.m_strText == strMissing)
            bPortTouched = m_nPortsMade > 0;
    };
    Download(strMissing);
    EXPECT_EQ(m_ui.Texts(), (std::vector<std::string>{
                                strMissing, std::string(kMsgOpenFileError) + "\n" + strMissing +
                                                ": cannot open: " + std::strerror(ENOENT)}));
    EXPECT_EQ(m_ui.m_messages[0].m_icon, EMessageIcon::Warning);
    EXPECT_FALSE(bPortTouched);
    EXPECT_EQ(m_nPortsMade, 0);
}

TEST_F(DownloadDlg, PortsThatDoNotOpenGiveOneMessageAndSendNothing)
{
    const std::string strFont = WriteFont(Bytes(10, 1));
    for (int nIndex : {-1, 9}) // port 0 and port 10
    {
        m_ui.m_messages.clear();
        m_controls.SetItems(IDC_SERIAL_PORT, {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                              "COM7", "COM8", "COM9", "COM10"});
        m_dlg.m_strFilePath = strFont;
        m_dlg.OnInitDialog();
        m_controls.SetValue(IDC_SERIAL_PORT, nIndex);
        m_dlg.OnDownload();
        m_dlg.m_nPortIndex = 0;
        EXPECT_EQ(m_ui.Texts(),
                  (std::vector<std::string>{strFont, std::string(kMsgOpenPortError) + "\nCOM" +
                                                         std::to_string(nIndex + 1) +
                                                         ": only COM1 to COM9 can be reached"}));
    }
    EXPECT_EQ(m_nPortsMade, 0);

    // The product's message first, the port's cause on the second line.
    m_ui.m_messages.clear();
    m_port.m_bFailOpen = true;
    m_port.m_eOpenFault = ESerialFault::Busy;
    m_port.m_strOpenCause = "the port is in use by another program";
    Download(strFont);
    EXPECT_EQ(Result(), std::string(kMsgOpenPortError) + "\n" + m_port.m_strDevice +
                            ": the port is in use by another program");
    m_port.m_bFailOpen = false;
    m_port.m_bFailConfigure = true;
    Download(strFont);
    EXPECT_EQ(Result(),
              std::string(kMsgOpenPortError) + "\n" + m_port.m_strDevice + ": settings rejected");
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_TRUE(m_port.m_writes.empty());
}

TEST_F(DownloadDlg, TwoFixedFramesForAnEmptyFile)
{
    Download(WriteFont({}));
    EXPECT_EQ(Result(), kMsgDownloadOk);
    // The checksum leaves out the byte before it: 0x07, not 0x17.
    const std::vector<Bytes> frames = {
        {0x1B, 0x0C, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x10, 0x07},
        {0x1B, 0x05, 0x01, 0x00, 0x1F}};
    EXPECT_EQ(m_display.m_frames, frames);
    EXPECT_EQ(Bar().m_nUpper, 2);
    ExpectCleanedUp();
}

TEST_F(DownloadDlg, OneByteFileWithItsGeometryAndArea)
{
    m_dlg.m_nGlyphWidth = 8;
    m_dlg.m_nGlyphHeight = 8;
    m_dlg.m_strFilePath = WriteFont({0xAA});
    m_dlg.OnInitDialog();
    m_controls.SetText(IDC_FONT_AREA, "257"); // sent as its low 8 bits
    m_dlg.OnDownload();
    EXPECT_EQ(Result(), kMsgDownloadOk);
    const std::vector<Bytes> frames = {
        {0x1B, 0x0C, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x08, 0x08, 0x1F},
        {0x1B, 0x06, 0x01, 0x00, 0xAA, 0x1C}};
    EXPECT_EQ(m_display.m_frames, frames);
}

TEST_F(DownloadDlg, FilesGoOutInFramesOfAtMost250BytesWithTheProgressInStep)
{
    for (std::size_t nLength : {249u, 250u, 251u, 500u, 8192u, 70000u})
    {
        SCOPED_TRACE(nLength);
        m_display.m_frames.clear();
        m_ui.m_messages.clear();
        m_clock.ClearWaits();
        Bar().m_positions.clear();
        const Bytes file = RandomBytes(nLength);
        m_dlg.m_nGlyphWidth = 24;
        m_dlg.m_nGlyphHeight = 12;
        int nPosAtResult = -1;
        m_ui.m_onMessage = [&](const CMessageBoxRequest&) { nPosAtResult = Bar().Pos(); };
        Download(WriteFont(file));

        EXPECT_EQ(Result(), kMsgDownloadOk);
        const auto expected = ExpectedFrames(file, 0, 24, 12);
        ASSERT_EQ(m_display.m_frames.size(), expected.size());
        EXPECT_EQ(expected.size(), nLength / 250 + 2);
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(m_display.m_frames[i], expected[i]) << "frame " << i;

        // One 500 ms pause before each reply; the bar full at the last frame.
        EXPECT_EQ(m_clock.Waits().size(), expected.size());
        EXPECT_EQ(m_clock.Total(CVirtualClock::EWait::Sleep), 500ms * expected.size());
        const int nMax = static_cast<int>(nLength / 250 + 2);
        EXPECT_EQ(Bar().m_nLower, 0);
        EXPECT_EQ(Bar().m_nUpper, nMax);
        EXPECT_EQ(nPosAtResult, nMax);
        EXPECT_EQ(*std::max_element(Bar().m_positions.begin(), Bar().m_positions.end()), nMax);
        ExpectCleanedUp();
    }
}

TEST_F(DownloadDlg, RepeatsAFrameAsOftenAsTheDisplayAsksWithoutMovingTheBar)
{
    const Bytes file = RandomBytes(300);
    m_display.m_script[1] = {Reply(2)}; // the first data frame (sequence 2) again
    for (std::size_t i = 2; i < 40; ++i)
        m_display.m_script[i] = {Reply(2)};
    m_display.m_script[40] = {Reply(1)};
    int nPosAtRepeat = -1;
    m_port.m_onWrite = [&, play = m_port.m_onWrite](CFakeSerialPort& p, const Bytes& frame)
    {
        if (m_display.m_frames.size() == 30)
            nPosAtRepeat = Bar().Pos();
        play(p, frame);
    };
    Download(WriteFont(file));
    EXPECT_EQ(Result(), kMsgDownloadOk);
    const auto expected = ExpectedFrames(file, 0, 16, 16);
    ASSERT_EQ(m_display.m_frames.size(), 42u);
    for (std::size_t i = 1; i <= 40; ++i)
        EXPECT_EQ(m_display.m_frames[i], expected[1]) << i;
    EXPECT_EQ(m_display.m_frames[41], expected[2]);
    EXPECT_EQ(nPosAtRepeat, 2);
}

TEST_F(DownloadDlg, AskingAgainAfterTheLastFrameGetsAnotherEmptyLastFrame)
{
    const Bytes file = RandomBytes(10);
    m_display.m_script[1] = {Reply(1)};
    Download(WriteFont(file));
    EXPECT_EQ(Result(), kMsgDownloadOk);
    ASSERT_EQ(m_display.m_frames.size(), 3u);
    EXPECT_EQ(m_display.m_frames[2], (Bytes{0x1B, 0x05, 0x01, 0x00, 0x1F}));
}

TEST_F(DownloadDlg, EveryFaultyReplyEndsTheTransferWithItsMessage)
{
    const std::string strFont = WriteFont(RandomBytes(600));
    Bytes badCheck = Reply(2);
    badCheck[4] ^= 0x40;
    struct CCase
    {
        std::vector<Bytes> m_reads; // what the display answers to the first data frame
        const char* m_pszResult;
    };
    const CCase cases[] = {
        {{{0x1C, 0x05, 0x01, 0x01, 0x1C ^ 0x05}}, kMsgHeaderError},
        {{{0x1B, 0x06, 0x01, 0x01, 0x1B ^ 0x06}}, kMsgLengthError},
        {{Reply(1, 0x02)}, kMsgKeyError},
        {{badCheck}, kMsgCheckError},
        {{Reply(3)}, kMsgCommandError},
        {{Reply(0xFF)}, kMsgCommandError},
        {{Reply(0)}, kMsgDownloadAbort},
        {{{0x1B, 0x05, 0x01}}, kMsgReadPortError},
        {{{0x1B}}, kMsgReadPortError},
        {{}, kMsgReadTimeout},
        // A long reply: the bytes past five are the start of the next one.
        {{{0x1B, 0x05, 0x01, 0x01, 0x1B ^ 0x05 ^ 0x01 ^ 0x01, 0x1B, 0x05}}, kMsgReadPortError},
    };
    for (const CCase& c : cases)
    {
        SCOPED_TRACE(c.m_pszResult);
        m_display.m_frames.clear();
        m_display.m_script = {{1, c.m_reads}};
        m_ui.m_messages.clear();
        m_clock.ClearWaits();
        Download(strFont);
        EXPECT_EQ(Result(), c.m_pszResult);
        ExpectCleanedUp();
    }
    // The long reply's leftover was the whole answer to the next frame.
    EXPECT_EQ(m_display.m_frames.size(), 3u);
    EXPECT_EQ(m_clock.Waits().size(), 3u);
}

TEST_F(DownloadDlg, SilenceCostsTenPausesOf500Milliseconds)
{
    m_display.m_script[0] = {};
    Download(WriteFont(RandomBytes(5)));
    EXPECT_EQ(Result(), kMsgReadTimeout);
    EXPECT_EQ(m_clock.Waits().size(), 10u);
    EXPECT_EQ(m_clock.Total(CVirtualClock::EWait::Sleep), 5000ms);
    EXPECT_EQ(m_port.m_readSizes, std::vector<std::size_t>(10, 5));
    EXPECT_EQ(m_display.m_frames.size(), 1u); // nothing is retried
    ExpectCleanedUp();
}

TEST_F(DownloadDlg, FailedOrShortWritesEndTheTransfer)
{
    const std::string strFont = WriteFont(RandomBytes(400));
    m_port.m_nFailWriteAt = 1;
    Download(strFont);
    EXPECT_EQ(Result(), std::string(kMsgSendError) + "\n" + m_port.m_strDevice + ": write failed");
    EXPECT_EQ(m_display.m_frames.size(), 1u);
    ExpectCleanedUp();

    CFakeSerialPort shortPort{&m_clock};
    CComPortFactoryScope scope([&] { return CFakePortView::Of(shortPort); });
    m_display.Attach(shortPort);
    shortPort.m_nShortWriteAt = 0;
    Download(strFont);
    EXPECT_EQ(Result(),
              std::string(kMsgSendError) + "\nthe line took only 11 of the frame's 12 bytes");
    EXPECT_FALSE(shortPort.IsOpen());
}

TEST_F(DownloadDlg, AFileThatFailsToReadMidwayStopsWithReadFileError)
{
    // Long enough that the cut lies beyond what the file layer has buffered.
    const Bytes file = RandomBytes(40000);
    const std::string strFont = WriteFont(file);
    // Another program cuts the file short while the second data frame is out.
    m_port.m_onWrite = [&, play = m_port.m_onWrite](CFakeSerialPort& p, const Bytes& frame)
    {
        play(p, frame);
        if (m_display.m_frames.size() == 3)
            fs::resize_file(strFont, 600);
    };
    Download(strFont);
    EXPECT_EQ(Result(), kMsgReadFileError);
    // No short frame passed for the last one: every data frame was full.
    ASSERT_GT(m_display.m_frames.size(), 3u);
    EXPECT_LT(m_display.m_frames.size(), 40000u / 250);
    for (std::size_t i = 1; i < m_display.m_frames.size(); ++i)
        EXPECT_EQ(m_display.m_frames[i].size(), 255u) << i;
    ExpectCleanedUp();
    // The file was closed: it can be replaced and sent again at once.
    fs::resize_file(strFont, 0);
    m_display.m_frames.clear();
    m_port.m_onWrite = nullptr;
    m_display.Attach(m_port);
    Download(strFont);
    EXPECT_EQ(Result(), kMsgDownloadOk);
}

TEST_F(DownloadDlg, TheDialogStaysUsableForAnotherAttempt)
{
    const std::string strFont = WriteFont(RandomBytes(260));
    m_display.m_script[0] = {Reply(0)};
    Download(strFont);
    EXPECT_EQ(Result(), kMsgDownloadAbort);
    m_display.m_script.clear();
    m_display.m_frames.clear();
    m_dlg.OnDownload();
    EXPECT_EQ(Result(), kMsgDownloadOk);
    EXPECT_EQ(m_display.m_frames.size(), 3u);
    EXPECT_EQ(m_port.m_nOpenCount, 2);
    EXPECT_EQ(m_port.m_nCloseCount, 2);
}

TEST_F(DownloadDlg, AFileTooLongForTheHeaderIsNotSent)
{
    const std::string strFont = WriteFont({1});
    std::error_code ec;
    fs::resize_file(strFont, 0x100000000ull, ec); // sparse: takes no room
    if (ec)
        GTEST_SKIP() << "no sparse file here: " << ec.message();
    Download(strFont);
    EXPECT_EQ(m_ui.Texts(),
              (std::vector<std::string>{strFont, std::string(kMsgOpenFileError) + "\n" + strFont +
                                                     ": longer than a download can announce"}));
    EXPECT_EQ(m_nPortsMade, 0);
}
