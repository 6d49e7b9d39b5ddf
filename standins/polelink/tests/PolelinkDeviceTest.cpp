#include "PolelinkDevice.h"

#include "FakeSerialPort.h"
#include "PolelinkFunctions.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace
{
using Bytes = std::vector<std::uint8_t>;

struct PolelinkDeviceTest : ::testing::Test
{
    CTempFolder dir;
    CVirtualClock clock;
    CFakeSerialPort port{&clock};
    std::vector<std::string> reports;
    CPolelinkDevice device{port, clock,
                           [](unsigned n) {
                               return CPortResolution{"/dev/fake" + std::to_string(n), "default"};
                           },
                           [this](const std::string& s) { reports.push_back(s); },
                           dir / "Polelink.ini"};

    void Connection(const std::string& strPort, const std::string& strBaud)
    {
        dir.Write("Polelink.ini",
                  "[Polelink]\r\nModel[VF510]|[VF620]|[VF730]=VF620\r\n"
                  "PortName[1to8]=" +
                      strPort + "\r\nBaudRate[9600][19200][38400][115200]=" + strBaud + "\r\n");
    }
    void Open()
    {
        Connection("3", "9600");
        ASSERT_EQ(device.OpenComm(), 1);
        port.m_writes.clear();
    }
    // A font file whose byte i is i mod 251, so that every offset shows.
    std::string Font(std::size_t nLength)
    {
        std::string bytes(nLength, '\0');
        for (std::size_t i = 0; i < nLength; ++i)
            bytes[i] = static_cast<char>(i % 251);
        return dir.Write("font.bin", bytes);
    }
    static Bytes Frame(std::uint8_t nArea, std::uint8_t nPage, std::size_t nFileLength)
    {
        Bytes frame{0x1B, 0x53, nArea, nPage};
        for (std::size_t i = (nPage - 1u) * 256u; i < nPage * 256u; ++i)
            frame.push_back(i < nFileLength ? static_cast<std::uint8_t>(i % 251) : 0);
        return frame;
    }
    std::vector<Bytes> Chunks() const
    {
        std::vector<Bytes> chunks;
        for (const auto& write : port.m_writes)
            chunks.push_back(write.m_bytes);
        return chunks;
    }
};
} // namespace

TEST_F(PolelinkDeviceTest, OpenCommOpensThePortAndRateOfTheConnectionFile)
{
    Connection("3", "19200");
    EXPECT_EQ(device.OpenComm(), 1);
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(port.m_strDevice, "/dev/fake3");
    EXPECT_EQ(port.m_settings, (std::vector<CSerialSettings>{{19200, 0, 8}}));
    EXPECT_TRUE(port.m_writes.empty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(PolelinkDeviceTest, AMissingConnectionFileIsCreatedWithTheDefaults)
{
    EXPECT_EQ(device.OpenComm(), 1);
    EXPECT_EQ(dir.Read("Polelink.ini"), "[Polelink]\r\n"
                                        "PortName[1to8]=6\r\n"
                                        "BaudRate[9600][19200][38400][115200]=9600\r\n");
    EXPECT_EQ(port.m_strDevice, "/dev/fake6");
    EXPECT_EQ(port.m_settings.at(0).m_nBaudRate, 9600u);
    // What the setup utility then reads from it.
    EXPECT_EQ(CConnectionFile(dir / "Polelink.ini").Read(), (CConnectionSettings{"未知", 6, 9600}));
}

TEST_F(PolelinkDeviceTest, ABadConnectionFileOpensNothingAndSaysWhy)
{
    const struct
    {
        const char* m_pszPort;
        const char* m_pszBaud;
        const char* m_pszReported;
    } cases[] = {
        {"0", "9600", "PortName[1to8]=0"},      {"COM3", "9600", "PortName[1to8]=0"},
        {"-2", "9600", "PortName[1to8]=-2"},    {"3", "12345", "=12345 is not a baud rate"},
        {"3", "fast", "=0 is not a baud rate"},
    };
    for (const auto& c : cases)
    {
        reports.clear();
        Connection(c.m_pszPort, c.m_pszBaud);
        EXPECT_EQ(device.OpenComm(), 0) << c.m_pszPort << " " << c.m_pszBaud;
        EXPECT_FALSE(device.IsOpen());
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find(c.m_pszReported), std::string::npos) << reports[0];
    }
    EXPECT_EQ(port.m_nOpenCount, 0);
    // 115200 is a rate of the line, though the utility never writes it.
    Connection("3", "115200");
    EXPECT_EQ(device.OpenComm(), 1);
}

TEST_F(PolelinkDeviceTest, APortThatWillNotOpenOrTakeItsRateIsReported)
{
    Connection("3", "9600");
    port.m_bFailOpen = true;
    EXPECT_EQ(device.OpenComm(), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "COM3: /dev/fake3: cannot open");

    port.m_bFailOpen = false;
    port.m_bFailConfigure = true;
    EXPECT_EQ(device.OpenComm(), 0);
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(PolelinkDeviceTest, LaterCallsWithoutAConnectionSayWhyItDidNotOpen)
{
    Connection("3", "9600");
    port.m_bFailOpen = true;
    port.m_eOpenFault = ESerialFault::Denied;
    port.m_strOpenCause = "permission denied";
    EXPECT_EQ(device.OpenComm(), 0);
    EXPECT_EQ(device.LastError(), "COM3: /dev/fake3: permission denied");
    const std::string strFont = Font(10);
    EXPECT_EQ(device.UpdateFontLib(strFont.c_str(), 0, 1), 0);
    EXPECT_EQ(device.LastError(), "no connection is open (COM3: /dev/fake3: permission denied): "
                                  "font file not sent");
    EXPECT_EQ(reports.back(), device.LastError());

    // Once a connection opened, the old cause is gone.
    port.m_bFailOpen = false;
    EXPECT_EQ(device.OpenComm(), 1);
    EXPECT_EQ(device.CloseComm(), 1);
    EXPECT_EQ(device.Init(), 0);
    EXPECT_EQ(device.LastError(), "no connection is open: initialise not sent");
}

TEST_F(PolelinkDeviceTest, OpenCommAgainReopensWithTheFilesNewSettings)
{
    Open();
    Connection("4", "38400");
    EXPECT_EQ(device.OpenComm(), 1);
    EXPECT_EQ(port.m_nCloseCount, 1);
    EXPECT_EQ(port.m_nOpenCount, 2);
    EXPECT_EQ(port.m_strDevice, "/dev/fake4");
    EXPECT_EQ(port.m_settings.back().m_nBaudRate, 38400u);
}

TEST_F(PolelinkDeviceTest, CloseCommWithoutAConnectionIsNoFailure)
{
    EXPECT_EQ(device.CloseComm(), 1);
    EXPECT_EQ(port.m_nCloseCount, 0);
    Open();
    EXPECT_EQ(device.CloseComm(), 1);
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(reports.empty());

    const char data[] = "x";
    EXPECT_EQ(device.WirteStrData(data, 1), 0);
    EXPECT_EQ(device.Init(), 0);
    EXPECT_TRUE(port.m_writes.empty());
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(PolelinkDeviceTest, WirteStrDataSendsExactlyTheBytesInCallOrder)
{
    Open();
    const char first[] = {0x02, 0x05, 0x52, 0x31, 0x03};
    const char second[] = {'\x1B', 't', '\x00', '\xFF'};
    EXPECT_EQ(device.WirteStrData(first, 5), 1);
    EXPECT_EQ(device.WirteStrData(second, 3), 1);
    EXPECT_EQ(device.WirteStrData(second, 0), 1);
    EXPECT_EQ(device.WirteStrData(nullptr, 0), 1);
    EXPECT_EQ(device.Init(), 1);
    EXPECT_EQ(Chunks(), (std::vector<Bytes>{
                            {0x02, 0x05, 0x52, 0x31, 0x03}, {0x1B, 0x74, 0x00}, {0x1B, 0x40}}));
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(clock.Waits().empty());

    EXPECT_EQ(device.WirteStrData(first, -1), 0);
    EXPECT_EQ(device.WirteStrData(nullptr, 2), 0);
    EXPECT_EQ(port.m_writes.size(), 3u);
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(PolelinkDeviceTest, APartWrittenChunkIsFinishedAndAFailedOneReported)
{
    Open();
    port.m_nShortWriteAt = 0;
    const char data[40] = {1, 2, 3};
    EXPECT_EQ(device.WirteStrData(data, 40), 1);
    EXPECT_EQ(port.Written(), Bytes(data, data + 40));

    port.m_nFailWriteAt = 2;
    EXPECT_EQ(device.WirteStrData(data, 3), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("/dev/fake3"), std::string::npos);
}

TEST_F(PolelinkDeviceTest, AllPagesOfAreaZeroGoAsSixFramesWithAPauseEach)
{
    Open();
    const auto strPath = Font(1536);
    EXPECT_EQ(device.UpdateFontLib(strPath.c_str(), 0, kPolelinkAllPages), 1);
    ASSERT_EQ(port.m_writes.size(), 6u);
    for (std::uint8_t k = 1; k <= 6; ++k)
    {
        EXPECT_EQ(port.m_writes[k - 1].m_bytes, Frame(0x02, k, 1536)) << int(k);
        EXPECT_EQ(port.m_writes[k - 1].m_at, (k - 1) * 4000ms);
    }
    EXPECT_EQ(clock.Waits().size(), 6u);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 24000ms);
    EXPECT_TRUE(reports.empty());
}

TEST_F(PolelinkDeviceTest, AShortFileIsPaddedWithZerosAndALongOneCut)
{
    Open();
    auto strPath = Font(1000);
    EXPECT_EQ(device.UpdateFontLib(strPath.c_str(), 1, kPolelinkAllPages), 1);
    ASSERT_EQ(port.m_writes.size(), 8u);
    for (std::uint8_t k = 1; k <= 8; ++k)
        EXPECT_EQ(port.m_writes[k - 1].m_bytes, Frame(0x03, k, 1000)) << int(k);
    EXPECT_EQ(port.m_writes[3].m_bytes[4 + 1000 - 768 - 1], (999 % 251));
    EXPECT_EQ(port.m_writes[3].m_bytes[4 + 1000 - 768], 0);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 32000ms);

    port.m_writes.clear();
    strPath = Font(5000);
    EXPECT_EQ(device.UpdateFontLib(strPath.c_str(), 0, kPolelinkAllPages), 1);
    EXPECT_EQ(port.Written().size(), 6u * 260u);
    EXPECT_EQ(port.m_writes.back().m_bytes, Frame(0x02, 6, 5000));
}

TEST_F(PolelinkDeviceTest, ASinglePageCarriesThatPagesBytes)
{
    Open();
    const auto strPath = Font(2048);
    EXPECT_EQ(device.UpdateFontLib(strPath.c_str(), 1, 8), 1);
    EXPECT_EQ(device.UpdateFontLib(strPath.c_str(), 0, 3), 1);
    EXPECT_EQ(device.UpdateFontLib(strPath.c_str(), 0, 1), 1);
    EXPECT_EQ(Chunks(), (std::vector<Bytes>{Frame(0x03, 8, 2048), Frame(0x02, 3, 2048),
                                            Frame(0x02, 1, 2048)}));
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 12000ms);

    // A page beyond a short file is all zeros.
    port.m_writes.clear();
    const auto strShort = Font(100);
    EXPECT_EQ(device.UpdateFontLib(strShort.c_str(), 0, 2), 1);
    EXPECT_EQ(Chunks(), (std::vector<Bytes>{Frame(0x02, 2, 100)}));
}

TEST_F(PolelinkDeviceTest, WhatCannotBeSentIsRefusedBeforeAnythingGoes)
{
    Open();
    const auto strFont = Font(1536);
    const auto strEmpty = dir.Write("empty.bin", "");
    const auto strMissing = dir / "missing.bin";
    const struct
    {
        const char* m_pszPath;
        unsigned long m_dwArea;
        unsigned long m_dwPage;
        const char* m_pszReported;
    } cases[] = {
        {"", 0, kPolelinkAllPages, "no font file"},
        {nullptr, 0, kPolelinkAllPages, "no font file"},
        {strFont.c_str(), 2, kPolelinkAllPages, "area 2"},
        {strFont.c_str(), 0, 0, "page 0"},
        {strFont.c_str(), 0, 7, "page 7"},
        {strFont.c_str(), 1, 9, "page 9"},
        {strFont.c_str(), 0, 0xFFFFFFFEul, "page 4294967294"},
        {strMissing.c_str(), 0, 1, "missing.bin"},
        {strEmpty.c_str(), 0, kPolelinkAllPages, "empty"},
    };
    for (const auto& c : cases)
    {
        reports.clear();
        EXPECT_EQ(device.UpdateFontLib(c.m_pszPath, c.m_dwArea, c.m_dwPage), 0) << c.m_pszReported;
        ASSERT_EQ(reports.size(), 1u) << c.m_pszReported;
        EXPECT_NE(reports[0].find(c.m_pszReported), std::string::npos) << reports[0];
    }
    device.CloseComm();
    EXPECT_EQ(device.UpdateFontLib(strFont.c_str(), 0, 1), 0);
    EXPECT_TRUE(port.m_writes.empty());
    EXPECT_TRUE(clock.Waits().empty());
}

TEST_F(PolelinkDeviceTest, AFailedFrameEndsTheTransferAsAFailure)
{
    Open();
    const auto strPath = Font(2048);
    port.m_nFailWriteAt = 2;
    EXPECT_EQ(device.UpdateFontLib(strPath.c_str(), 1, kPolelinkAllPages), 0);
    EXPECT_EQ(port.m_writes.size(), 2u);
    EXPECT_EQ(clock.Waits().size(), 2u);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(PolelinkDeviceTest, AShortenedFramePauseFollowsEveryFrame)
{
    Open();
    device.SetFramePause(250ms);
    const auto strPath = Font(1536);
    EXPECT_EQ(device.UpdateFontLib(strPath.c_str(), 0, kPolelinkAllPages), 1);
    EXPECT_EQ(clock.Waits().size(), 6u);
    EXPECT_EQ(clock.Total(CVirtualClock::EWait::Sleep), 1500ms);

    EXPECT_EQ(FramePauseFromText("0"), 0ms);
    EXPECT_EQ(FramePauseFromText("4000"), 4000ms);
    for (const char* pszBad : {"", "4001", "-1", "10ms", " 5", "99999"})
        EXPECT_EQ(FramePauseFromText(pszBad), std::nullopt) << pszBad;
}
