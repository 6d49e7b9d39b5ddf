#include "DownloadPeer.h"

#include "SimTestSupport.h"
#include "TempFolder.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using EFault = CDownloadFaults::EFault;

namespace
{
Bytes Pattern(std::size_t n, std::uint8_t nSeed = 1)
{
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(nSeed + i * 7);
    return bytes;
}

struct DownloadPeer : ::testing::Test
{
    std::ostringstream m_out;
    CVirtualClock m_clock;
    CTranscript m_transcript{&m_out, m_clock};
    CRecordingLine m_line;

    // Feeds a frame and returns the reply it drew (empty for none).
    static Bytes Exchange(CDownloadPeer& peer, CRecordingLine& line, const Bytes& frame)
    {
        const std::size_t nBefore = line.m_sent.size();
        if (!peer.IsActive())
            peer.Begin(frame);
        else
            EXPECT_EQ(peer.Feed(frame.data(), frame.size()), frame.size());
        return line.m_sent.size() > nBefore ? line.m_sent.back() : Bytes{};
    }
    Bytes Exchange(CDownloadPeer& peer, const Bytes& frame)
    {
        return Exchange(peer, m_line, frame);
    }
    std::vector<CJsonObject> Entries() const { return ParseTranscript(m_out.str()); }
};
} // namespace

TEST_F(DownloadPeer, ATransferIsAnsweredFrameByFrameAndTheFileKept)
{
    const CTempFolder folder;
    CDownloadPeer peer(m_line, m_transcript, {}, folder / "font.bin");
    const Bytes file = Pattern(500);
    EXPECT_EQ(Exchange(peer, HeaderFrame(500, 1, 8, 16)), ReplyBytes(2));
    EXPECT_TRUE(peer.IsActive());
    EXPECT_EQ(Exchange(peer, DataFrame(2, Bytes(file.begin(), file.begin() + 250))), ReplyBytes(1));
    EXPECT_EQ(Exchange(peer, DataFrame(1, Bytes(file.begin() + 250, file.end()))), ReplyBytes(2));
    EXPECT_EQ(Exchange(peer, DataFrame(0, {})), ReplyBytes(0));
    EXPECT_FALSE(peer.IsActive());
    EXPECT_EQ(peer.ReceivedFile(), file);
    EXPECT_EQ(peer.CompletedTransfers(), 1u);

    EXPECT_EQ(folder.Read("font.bin"), std::string(file.begin(), file.end()));

    const auto headers = Events(Entries(), "frame");
    ASSERT_EQ(headers.size(), 4u);
    EXPECT_EQ(headers[0].Get("kind"), "header");
    EXPECT_EQ(headers[0].GetInteger("file_length"), 500);
    EXPECT_EQ(headers[0].GetInteger("area"), 1);
    EXPECT_EQ(headers[0].GetInteger("width"), 8);
    EXPECT_EQ(headers[2].GetInteger("data_bytes"), 250);
    EXPECT_EQ(headers[3].GetInteger("frame"), 3);
    const auto end = Events(Entries(), "download-end");
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(end[0].Get("result"), "complete");
    EXPECT_EQ(end[0].Get("length_ok"), "true");
    EXPECT_EQ(Events(Entries(), "reply").size(), 4u);
}

TEST_F(DownloadPeer, FramesArriveInAnyPiecesAndStrayBytesAreNoise)
{
    CDownloadPeer peer(m_line, m_transcript);
    peer.Begin(HeaderFrame(3));
    Bytes stream = {0x00, 0x7F};
    const Bytes last = DataFrame(0, {9, 8, 7});
    stream.insert(stream.end(), last.begin(), last.end());
    stream.push_back(0x41); // after the transfer: not the peer's
    std::size_t nUsed = 0;
    for (std::size_t i = 0; i < stream.size() && peer.IsActive(); ++i)
        nUsed += peer.Feed(&stream[i], 1);
    EXPECT_EQ(nUsed, stream.size() - 1);
    EXPECT_EQ(peer.ReceivedFile(), (Bytes{9, 8, 7}));
    const auto noise = Events(Entries(), "noise");
    ASSERT_EQ(noise.size(), 1u);
    EXPECT_EQ(noise[0].Get("bytes"), "00 7F");
}

TEST_F(DownloadPeer, ABadFrameIsAskedForAgainAndADuplicateNotTakenTwice)
{
    CDownloadPeer peer(m_line, m_transcript);
    Exchange(peer, HeaderFrame(260));
    const Bytes first = Pattern(250);
    Bytes badSum = DataFrame(2, first);
    badSum.back() ^= 1;
    EXPECT_EQ(Exchange(peer, badSum), ReplyBytes(2)); // again, please
    Bytes badKey = DataFrame(2, first);
    badKey[2] = 0x02;
    badKey.back() = XorOf(badKey, badKey.size() - 2);
    EXPECT_EQ(Exchange(peer, badKey), ReplyBytes(2));
    EXPECT_EQ(Exchange(peer, {0x1B, 0x03}), ReplyBytes(2)); // no frame is 3 bytes long
    EXPECT_EQ(Exchange(peer, DataFrame(2, first)), ReplyBytes(1));
    EXPECT_EQ(Exchange(peer, DataFrame(2, first)), ReplyBytes(1)); // already have it
    EXPECT_EQ(Exchange(peer, DataFrame(7, {1})), ReplyBytes(1));   // no such sequence
    EXPECT_EQ(Exchange(peer, DataFrame(0, Pattern(10, 3))), ReplyBytes(0));
    Bytes expected = first;
    const Bytes tail = Pattern(10, 3);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(peer.ReceivedFile(), expected);

    const auto frames = Events(Entries(), "frame");
    EXPECT_EQ(frames[1].Get("error"), "checksum");
    EXPECT_EQ(frames[2].Get("error"), "key");
    EXPECT_EQ(frames[3].Get("error"), "length");
    EXPECT_EQ(frames[5].Get("error"), "duplicate");
    EXPECT_EQ(frames[6].Get("error"), "sequence");
}

TEST_F(DownloadPeer, EachFaultChangesTheReplyToItsFrame)
{
    struct CCase
    {
        EFault m_fault;
        unsigned m_nValue;
        Bytes m_reply; // the reply to frame 1, which would be 1B 05 01 01 1E
    };
    const Bytes good = ReplyBytes(1);
    auto resealed = [](Bytes reply)
    {
        reply[4] = XorOf(reply, 4);
        return reply;
    };
    const CCase cases[] = {
        {EFault::BadHeader, 0, resealed({0x1C, 0x05, 0x01, 0x01, 0})},
        {EFault::BadLength, 0, resealed({0x1B, 0x06, 0x01, 0x01, 0})},
        {EFault::BadKey, 0, resealed({0x1B, 0x05, 0x02, 0x01, 0})},
        {EFault::BadChecksum,
         0,
         {0x1B, 0x05, 0x01, 0x01, static_cast<std::uint8_t>(good[4] ^ 0xFF)}},
        {EFault::Status, 7, ReplyBytes(7)},
        {EFault::Abort, 0, ReplyBytes(0)},
        {EFault::Silence, 0, {}},
        {EFault::ShortReply, 3, {0x1B, 0x05, 0x01}},
        {EFault::LongReply,
         7,
         {0x1B, 0x05, 0x01, 0x01, good[4], 0x1B, 0x05, 0x01, 0x01, good[4], 0x1B, 0x05}},
        {EFault::HangUp, 0, good},
    };
    for (const CCase& c : cases)
    {
        SCOPED_TRACE(FaultName(c.m_fault));
        CRecordingLine line;
        CDownloadPeer peer(line, m_transcript, {c.m_fault, 1, c.m_nValue});
        EXPECT_EQ(Exchange(peer, line, HeaderFrame(600)), ReplyBytes(2)); // frame 0 untouched
        EXPECT_EQ(Exchange(peer, line, DataFrame(2, Pattern(250))), c.m_reply);
        EXPECT_EQ(line.m_nHangUps, c.m_fault == EFault::HangUp ? 1 : 0);
        EXPECT_EQ(peer.IsActive(), c.m_fault != EFault::Abort);
        if (peer.IsActive()) // frame 2 is answered as usual again
        {
            EXPECT_EQ(Exchange(peer, line, DataFrame(1, Pattern(250))), ReplyBytes(2));
        }
    }
    const auto replies = Events(Entries(), "reply");
    EXPECT_EQ(replies[1].Get("fault"), "bad-header");
    EXPECT_FALSE(replies[0].Has("fault"));
}

TEST_F(DownloadPeer, RepeatAsksForTheSameFrameNTimesThenTakesIt)
{
    CDownloadPeer peer(m_line, m_transcript, {EFault::Repeat, 1, 3});
    Exchange(peer, HeaderFrame(300));
    const Bytes frame = DataFrame(2, Pattern(250));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Exchange(peer, frame), ReplyBytes(2)) << i;
    EXPECT_EQ(Exchange(peer, frame), ReplyBytes(1));
    EXPECT_EQ(Exchange(peer, DataFrame(0, Pattern(50))), ReplyBytes(0));
    EXPECT_EQ(peer.ReceivedFile().size(), 300u);

    // At the header the request names sequence 1, and the resent header
    // continues the same transfer rather than starting anew.
    CRecordingLine line;
    CDownloadPeer atHeader(line, m_transcript, {EFault::Repeat, 0, 2});
    EXPECT_EQ(Exchange(atHeader, line, HeaderFrame(1)), ReplyBytes(1));
    EXPECT_EQ(Exchange(atHeader, line, HeaderFrame(1)), ReplyBytes(1));
    EXPECT_EQ(Exchange(atHeader, line, HeaderFrame(1)), ReplyBytes(2));
    EXPECT_EQ(Exchange(atHeader, line, DataFrame(0, {5})), ReplyBytes(0));
    EXPECT_EQ(atHeader.CompletedTransfers(), 1u);
}

TEST_F(DownloadPeer, TheFaultStrikesOncePerTransfer)
{
    CDownloadPeer peer(m_line, m_transcript, {EFault::BadKey, 0, 0});
    EXPECT_NE(Exchange(peer, HeaderFrame(1)), ReplyBytes(2));
    // The editor gave up; its next attempt starts a new transfer.
    EXPECT_NE(Exchange(peer, HeaderFrame(1)), ReplyBytes(2));
    EXPECT_EQ(Exchange(peer, DataFrame(0, {1})), ReplyBytes(0));
}

TEST_F(DownloadPeer, AQuietLineEndsTheTransferAndDropsAPartialFrame)
{
    CDownloadPeer peer(m_line, m_transcript, {}, "");
    Exchange(peer, HeaderFrame(100));
    const Bytes frame = DataFrame(0, Pattern(100));
    peer.Feed(frame.data(), 40);
    peer.OnIdle();
    EXPECT_FALSE(peer.IsActive());
    EXPECT_EQ(peer.CompletedTransfers(), 0u);
    const auto frames = Events(Entries(), "frame");
    EXPECT_EQ(frames.back().Get("kind"), "incomplete");
    EXPECT_EQ(Events(Entries(), "download-end").back().Get("result"), "idle");
    peer.OnIdle(); // nothing more to end
    EXPECT_EQ(Events(Entries(), "download-end").size(), 1u);
}

TEST_F(DownloadPeer, ANewHeaderStartsAgainFromTheTop)
{
    CDownloadPeer peer(m_line, m_transcript);
    Exchange(peer, HeaderFrame(500));
    Exchange(peer, DataFrame(2, Pattern(250)));
    EXPECT_EQ(Exchange(peer, HeaderFrame(2)), ReplyBytes(2));
    EXPECT_EQ(Exchange(peer, DataFrame(0, {4, 5})), ReplyBytes(0));
    EXPECT_EQ(peer.ReceivedFile(), (Bytes{4, 5}));
}

TEST_F(DownloadPeer, AFontThatCannotBeSavedIsReportedNotClaimed)
{
    CDownloadPeer peer(m_line, m_transcript, {}, "/no/such/folder/font.fnt");
    Exchange(peer, HeaderFrame(1));
    EXPECT_EQ(Exchange(peer, DataFrame(0, {7})), ReplyBytes(0));
    EXPECT_EQ(peer.ReceivedFile(), (Bytes{7})); // kept all the same
    const auto errors = Events(Entries(), "error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].Get("text")->find("/no/such/folder/font.fnt"), std::string::npos);
    EXPECT_FALSE(Events(Entries(), "download-end")[0].Has("saved"));
}

TEST_F(DownloadPeer, FramesPastTheAnnouncedLengthAreRefusedAndTheTransferEnds)
{
    CDownloadPeer peer(m_line, m_transcript);
    EXPECT_EQ(Exchange(peer, HeaderFrame(300, 0, 8, 16)), ReplyBytes(2));
    EXPECT_EQ(Exchange(peer, DataFrame(2, Pattern(250))), ReplyBytes(1));
    // 250 more would make 500 of the 300 announced: the display stops taking them.
    EXPECT_EQ(Exchange(peer, DataFrame(1, Pattern(250))), ReplyBytes(0));
    EXPECT_FALSE(peer.IsActive());
    EXPECT_EQ(peer.CompletedTransfers(), 0u);

    const auto frames = Events(Entries(), "frame");
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[2].Get("accepted"), "false");
    EXPECT_EQ(frames[2].Get("error"), "past the announced length");
    const auto end = Events(Entries(), "download-end");
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(end[0].Get("result"), "refused");
    EXPECT_EQ(end[0].GetInteger("received"), 250);
}

TEST_F(DownloadPeer, AFontThatCannotBeSavedIsReportedWithItsCause)
{
    const fs::path save = fs::temp_directory_path() / "no-such-folder-for-vfdsim" / "font.bin";
    CDownloadPeer peer(m_line, m_transcript, {}, save.string());
    Exchange(peer, HeaderFrame(10, 0, 8, 16));
    Exchange(peer, DataFrame(2, Pattern(10)));
    Exchange(peer, DataFrame(0, {}));
    const auto errors = Events(Entries(), "error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].Get("text").value_or("").find("No such file or directory"),
              std::string::npos)
        << errors[0].Get("text").value_or("");
    EXPECT_FALSE(fs::exists(save.parent_path()));
}
