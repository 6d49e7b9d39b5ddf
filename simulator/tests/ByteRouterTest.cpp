#include "ByteRouter.h"

#include "CommandDecoder.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct CRecordingDecoder final : CDisplayDecoder
{
    void Feed(std::uint8_t nByte) override { m_bytes.push_back(nByte); }
    void OnIdle() override { ++m_nIdles; }
    Bytes m_bytes;
    int m_nIdles = 0;
};

struct ByteRouter : ::testing::Test
{
    std::ostringstream m_out;
    CVirtualClock m_clock;
    CTranscript m_transcript{&m_out, m_clock};
    CRecordingLine m_line;
    CDownloadPeer m_peer{m_line, m_transcript};
    CRecordingDecoder m_decoder;
    CByteRouter m_router{m_peer, m_decoder};

    void Feed(const Bytes& bytes) { m_router.Feed(bytes.data(), bytes.size()); }
    void FeedByteByByte(const Bytes& bytes)
    {
        for (const std::uint8_t b : bytes)
            m_router.Feed(&b, 1);
    }
};
} // namespace

TEST_F(ByteRouter, DisplayCommandsAndTextGoToTheDecoderInOrder)
{
    const Bytes bytes = {0x1B, 0x40, 0x0C, 0x1B, 0x51, 0x41, 'H', 'I', 0x0D, 0x1B, 0x0C, 0x01};
    Feed(bytes);
    // 1B 0C 01 might still begin a header: held until it cannot.
    EXPECT_EQ(m_decoder.m_bytes, Bytes(bytes.begin(), bytes.end() - 3));
    m_router.OnIdle();
    EXPECT_EQ(m_decoder.m_bytes, bytes);
    EXPECT_EQ(m_decoder.m_nIdles, 1);
    EXPECT_FALSE(m_router.InDownload());
    EXPECT_TRUE(m_line.m_sent.empty());
}

TEST_F(ByteRouter, AValidHeaderHandsTheLineToTheDownloadUntilItEnds)
{
    Bytes stream = {'A', 0x1B}; // a stray ESC just before the header
    for (const Bytes& part : {HeaderFrame(2), DataFrame(0, {0x1B, 0x40})})
        stream.insert(stream.end(), part.begin(), part.end());
    stream.push_back('Z');
    FeedByteByByte(stream);
    EXPECT_EQ(m_decoder.m_bytes, (Bytes{'A', 0x1B, 'Z'}));
    EXPECT_EQ(m_line.m_sent, (std::vector<Bytes>{ReplyBytes(2), ReplyBytes(0)}));
    EXPECT_EQ(m_peer.ReceivedFile(), (Bytes{0x1B, 0x40}));
    EXPECT_FALSE(m_router.InDownload());
}

TEST_F(ByteRouter, AHeaderWithAWrongChecksumIsJustBytes)
{
    Bytes header = HeaderFrame(10);
    header.back() ^= 0x10; // the sum over all bytes before it, not the wire's
    Feed(header);
    EXPECT_EQ(m_decoder.m_bytes, header);
    EXPECT_FALSE(m_router.InDownload());
    EXPECT_TRUE(m_line.m_sent.empty());
}

TEST_F(ByteRouter, AQuietLineGivesUpTheDownload)
{
    Feed(HeaderFrame(1000));
    EXPECT_TRUE(m_router.InDownload());
    m_router.OnIdle();
    EXPECT_FALSE(m_router.InDownload());
    Feed({'O', 'K'});
    EXPECT_EQ(m_decoder.m_bytes, (Bytes{'O', 'K'}));
}

TEST(ByteRouterWithCommands, AHeaderInsideAFontFrameIsItsData)
{
    std::ostringstream out;
    CVirtualClock clock;
    CTranscript transcript{&out, clock};
    CRecordingLine line;
    CDownloadPeer peer{line, transcript};
    CVirtualDisplay display;
    CCommandDecoder decoder{display, transcript};
    CByteRouter router{peer, decoder};

    Bytes frame = {0x1B, 0x53, 0x02, 0x01};
    const Bytes header = HeaderFrame(16);
    frame.insert(frame.end(), header.begin(), header.end());
    frame.resize(260, 0x00);
    frame.push_back('A');
    for (const std::uint8_t b : frame)
        router.Feed(&b, 1);
    EXPECT_FALSE(router.InDownload());
    EXPECT_TRUE(line.m_sent.empty());
    ASSERT_NE(display.UserGlyph(0x20), nullptr);
    EXPECT_EQ((*display.UserGlyph(0x20))[0], 0x1B);
    EXPECT_EQ(display.Cell(0, 0).m_nCode, 'A');
}
