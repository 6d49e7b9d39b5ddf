#include "ByteRouter.h"

#include "CommandDecoder.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct ByteRouter : ::testing::Test
{
    std::ostringstream m_out;
    CVirtualClock m_clock;
    CTranscript m_transcript{&m_out, m_clock};
    CRecordingLine m_line;
    CDownloadPeer m_peer{m_line, m_transcript};
    CVirtualDisplay m_display;
    CCommandDecoder m_decoder{m_display, m_transcript};
    CByteRouter m_router{m_peer, m_decoder};

    void Feed(const Bytes& bytes) { m_router.Feed(bytes.data(), bytes.size()); }
    void FeedByteByByte(const Bytes& bytes)
    {
        for (const std::uint8_t b : bytes)
            m_router.Feed(&b, 1);
    }
    // What the decoder was given, as its entries' "rx" fields tell it once
    // the line has gone quiet.
    Bytes Decoded()
    {
        m_router.OnIdle();
        Bytes bytes;
        for (const auto& entry : ParseTranscript(m_out.str()))
            if (const auto rx = entry.Get("rx"))
                for (std::size_t i = 0; i + 1 < rx->size(); i += 3)
                    bytes.push_back(
                        static_cast<std::uint8_t>(std::stoi(rx->substr(i, 2), nullptr, 16)));
        return bytes;
    }
};
} // namespace

TEST_F(ByteRouter, DisplayCommandsAndTextGoToTheDecoderInOrder)
{
    const Bytes bytes = {0x1B, 0x40, 0x0C, 0x1B, 0x51, 0x41, 'H', 'I', 0x0D, 0x1B, 0x0C, 0x01};
    Feed(bytes);
    // 1B 0C 01 might still begin a header: held until it cannot.
    EXPECT_EQ(m_decoder.BytesFed(), bytes.size() - 3);
    EXPECT_EQ(Decoded(), bytes);
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
    EXPECT_EQ(Decoded(), (Bytes{'A', 0x1B, 'Z'}));
    EXPECT_EQ(m_line.m_sent, (std::vector<Bytes>{ReplyBytes(2), ReplyBytes(0)}));
    EXPECT_EQ(m_peer.ReceivedFile(), (Bytes{0x1B, 0x40}));
    EXPECT_FALSE(m_router.InDownload());
}

TEST_F(ByteRouter, AHeaderWithAWrongChecksumIsJustBytes)
{
    Bytes header = HeaderFrame(10);
    header.back() ^= 0x10; // the sum over all bytes before it, not the wire's
    Feed(header);
    EXPECT_FALSE(m_router.InDownload());
    EXPECT_EQ(Decoded(), header);
    EXPECT_TRUE(m_line.m_sent.empty());
}

TEST_F(ByteRouter, AQuietLineGivesUpTheDownload)
{
    Feed(HeaderFrame(1000));
    EXPECT_TRUE(m_router.InDownload());
    m_router.OnIdle();
    EXPECT_FALSE(m_router.InDownload());
    Feed({'O', 'K'});
    EXPECT_EQ(Decoded(), (Bytes{'O', 'K'}));
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
