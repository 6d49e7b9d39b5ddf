#include "DownloadPeer.h"

#include "AtomicFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace
{
constexpr std::uint8_t kStart = 0x1B;
constexpr std::uint8_t kKey = 0x01;
constexpr std::size_t kHeaderLength = 12;

// The editor's checksum: the XOR of every byte but the last two.
std::uint8_t FrameChecksum(const std::uint8_t* pFrame, std::size_t nLength)
{
    std::uint8_t nSum = 0;
    for (std::size_t i = 0; i + 2 < nLength; ++i)
        nSum ^= pFrame[i];
    return nSum;
}

std::vector<std::uint8_t> MakeReply(std::uint8_t nKey, std::uint8_t nStatus)
{
    std::vector<std::uint8_t> reply = {kStart, 0x05, nKey, nStatus};
    reply.push_back(static_cast<std::uint8_t>(reply[0] ^ reply[1] ^ reply[2] ^ reply[3]));
    return reply;
}

void Reseal(std::vector<std::uint8_t>& reply)
{
    reply[4] = static_cast<std::uint8_t>(reply[0] ^ reply[1] ^ reply[2] ^ reply[3]);
}
} // namespace

CDownloadPeer::CDownloadPeer(CLine& line, CTranscript& transcript, CDownloadFaults faults,
                             std::string strSavePath)
    : m_line(line), m_transcript(transcript), m_faults(faults),
      m_strSavePath(std::move(strSavePath))
{
}

bool CDownloadPeer::IsHeaderFrame(const std::uint8_t* pFrame, std::size_t nCount)
{
    return nCount == kHeaderLength && pFrame[0] == kStart && pFrame[1] == kHeaderLength &&
           pFrame[2] == kKey && pFrame[3] == 0x01 &&
           pFrame[11] == FrameChecksum(pFrame, kHeaderLength);
}

void CDownloadPeer::Begin(const std::vector<std::uint8_t>& header)
{
    m_bActive = true;
    m_pending.clear();
    m_noise.clear();
    OnHeader(header);
}

std::size_t CDownloadPeer::Feed(const std::uint8_t* pData, std::size_t nCount)
{
    std::size_t nUsed = 0;
    while (nUsed < nCount && m_bActive)
    {
        const std::uint8_t nByte = pData[nUsed++];
        if (m_pending.empty() && nByte != kStart)
        {
            m_noise.push_back(nByte);
            continue;
        }
        FlushNoise();
        m_pending.push_back(nByte);
        if (m_pending.size() < 2)
            continue;
        const std::size_t nLength = m_pending[1];
        if (nLength < 5)
        {
            // No frame is that short: what came is dropped, and the frame
            // asked for again.
            const auto bad = std::move(m_pending);
            m_pending.clear();
            OnBadFrame(bad, "length");
            continue;
        }
        if (m_pending.size() == nLength)
        {
            const auto frame = std::move(m_pending);
            m_pending.clear();
            OnFrame(frame);
        }
    }
    return nUsed;
}

void CDownloadPeer::OnIdle()
{
    if (!m_bActive)
        return;
    FlushNoise();
    if (!m_pending.empty())
    {
        m_transcript.Write(CJsonObject()
                               .Add("event", "frame")
                               .Add("kind", "incomplete")
                               .AddBytes("bytes", m_pending.data(), m_pending.size()));
        m_pending.clear();
    }
    End("idle");
}

void CDownloadPeer::FlushNoise()
{
    if (m_noise.empty())
        return;
    m_transcript.Write(
        CJsonObject().Add("event", "noise").AddBytes("bytes", m_noise.data(), m_noise.size()));
    m_noise.clear();
}

void CDownloadPeer::OnHeader(const std::vector<std::uint8_t>& frame)
{
    // A header sent again because we asked for it is the same transfer;
    // any other header starts a new one.
    const bool bRepeat = m_nFrame == 0 && m_bAskedAgain;
    if (!bRepeat)
    {
        m_receiving.clear();
        m_nFrame = 0;
        m_nRepeats = 0;
        m_bFaultDone = false;
    }
    m_nAnnounced = static_cast<std::uint32_t>(frame[5] | frame[6] << 8 | frame[7] << 16 |
                                              static_cast<std::uint32_t>(frame[8]) << 24);
    m_nWant = 2;
    CJsonObject entry;
    entry.Add("event", "frame")
        .Add("kind", "header")
        .Add("frame", 0)
        .Add("seq", frame[3])
        .Add("area", frame[4])
        .Add("file_length", static_cast<long long>(m_nAnnounced))
        .Add("width", frame[9])
        .Add("height", frame[10])
        .Add("ok", true);
    if (RepeatDue(frame[3]))
    {
        entry.Add("accepted", false).Add("fault", "repeat").Add("repeat", m_nRepeats);
        m_transcript.Write(entry);
        return Answer(frame[3], false);
    }
    entry.Add("accepted", true);
    m_transcript.Write(entry);
    Answer(m_nWant, true);
}

bool CDownloadPeer::RepeatDue(std::uint8_t nSequence)
{
    // The last frame cannot be asked for again: its number is 0, and a
    // status of 0 ends the transfer.
    if (m_faults.m_fault != CDownloadFaults::EFault::Repeat || m_nFrame != m_faults.m_nAtFrame ||
        nSequence == 0 || m_nRepeats >= m_faults.m_nValue)
        return false;
    ++m_nRepeats;
    return true;
}

void CDownloadPeer::OnFrame(const std::vector<std::uint8_t>& frame)
{
    const std::size_t nLength = frame.size();
    if (frame[2] != kKey)
        return OnBadFrame(frame, "key");
    if (frame[nLength - 1] != FrameChecksum(frame.data(), nLength))
        return OnBadFrame(frame, "checksum");
    if (IsHeaderFrame(frame.data(), nLength))
        return OnHeader(frame);

    const std::uint8_t nSequence = frame[3];
    const std::size_t nData = nLength - 5;
    CJsonObject entry;
    entry.Add("event", "frame")
        .Add("kind", "data")
        .Add("frame", m_nFrame)
        .Add("seq", nSequence)
        .Add("data_bytes", static_cast<unsigned>(nData))
        .Add("ok", true);
    if (nSequence > 2)
    {
        entry.Add("accepted", false).Add("error", "sequence");
        m_transcript.Write(entry);
        return Answer(m_nWant, false);
    }
    // A frame we already have (the editor answered a stale reply): not
    // taken twice; the reply names what is wanted.
    if (nSequence != 0 && nSequence != m_nWant)
    {
        entry.Add("accepted", false).Add("error", "duplicate");
        m_transcript.Write(entry);
        return Answer(m_nWant, false);
    }
    if (RepeatDue(nSequence))
    {
        entry.Add("accepted", false).Add("fault", "repeat").Add("repeat", m_nRepeats);
        m_transcript.Write(entry);
        return Answer(nSequence, false);
    }
    // The firmware keeps no more than the header announced: a sender that
    // goes on past it is refused, so a runaway transfer cannot fill memory.
    if (m_receiving.size() + nData > m_nAnnounced)
    {
        entry.Add("accepted", false).Add("error", "past the announced length");
        m_transcript.Write(entry);
        Reply(0);
        return End("refused");
    }
    entry.Add("accepted", true);
    m_transcript.Write(entry);
    m_receiving.insert(m_receiving.end(), frame.begin() + 4, frame.end() - 1);
    if (nSequence != 0)
        m_nWant = nSequence == 2 ? 1 : 2;
    Answer(nSequence == 0 ? 0 : m_nWant, true);
}

void CDownloadPeer::OnBadFrame(const std::vector<std::uint8_t>& frame, const char* pszError)
{
    m_transcript.Write(
        CJsonObject()
            .Add("event", "frame")
            .Add("kind", "bad")
            .Add("frame", m_nFrame)
            .Add("ok", false)
            .Add("error", pszError)
            .AddBytes("bytes", frame.data(), std::min<std::size_t>(frame.size(), 16)));
    // Naming the frame it waits for asks for this one again.
    Answer(m_nFrame == 0 ? 1 : m_nWant, false);
}

void CDownloadPeer::Answer(std::uint8_t nStatus, bool bTaken)
{
    const CDownloadFaults::EFault fault = Reply(nStatus);
    m_bAskedAgain = !bTaken;
    if (bTaken)
        ++m_nFrame;
    if (bTaken && nStatus == 0)
        End("complete");
    else if (fault == CDownloadFaults::EFault::Abort)
        End("aborted");
}

CDownloadFaults::EFault CDownloadPeer::Reply(std::uint8_t nStatus)
{
    using EFault = CDownloadFaults::EFault;
    std::vector<std::uint8_t> reply = MakeReply(kKey, nStatus);
    const bool bStrike = m_faults.m_fault != EFault::None && m_faults.m_fault != EFault::Repeat &&
                         !m_bFaultDone && m_nFrame == m_faults.m_nAtFrame;
    const EFault fault = bStrike ? m_faults.m_fault : EFault::None;
    switch (fault)
    {
    case EFault::BadHeader:
        reply[0] = 0x1C;
        Reseal(reply);
        break;
    case EFault::BadLength:
        reply[1] = 0x06;
        Reseal(reply);
        break;
    case EFault::BadKey:
        reply[2] = static_cast<std::uint8_t>(kKey + 1);
        Reseal(reply);
        break;
    case EFault::BadChecksum:
        reply[4] ^= 0xFF;
        break;
    case EFault::Status:
        reply[3] = static_cast<std::uint8_t>(m_faults.m_nValue);
        Reseal(reply);
        break;
    case EFault::Abort:
        reply[3] = 0;
        Reseal(reply);
        break;
    case EFault::Silence:
        reply.clear();
        break;
    case EFault::ShortReply:
        reply.resize(m_faults.m_nValue);
        break;
    case EFault::LongReply:
        for (unsigned i = 0; i < m_faults.m_nValue; ++i)
            reply.push_back(reply[i % 5]);
        break;
    default:
        break;
    }
    if (bStrike)
        m_bFaultDone = true;

    CJsonObject entry;
    entry.Add("event", "reply").AddBytes("bytes", reply.data(), reply.size());
    if (reply.size() >= 4)
        entry.Add("status", reply[3]);
    if (fault != EFault::None)
        entry.Add("fault", FaultName(fault));
    m_transcript.Write(entry);
    if (fault == EFault::HangUp)
        m_line.HangUp(reply);
    else if (!reply.empty())
        m_line.Send(reply);
    return fault;
}

void CDownloadPeer::SetFault(CDownloadFaults::EFault fault, unsigned nValue)
{
    m_faults = {fault, m_bActive ? m_nFrame : 0, nValue};
    m_bFaultDone = false;
    m_nRepeats = 0;
}

void CDownloadPeer::End(const char* pszResult)
{
    if (!m_bActive)
        return;
    m_bActive = false;
    const bool bComplete = std::string(pszResult) == "complete";
    CJsonObject entry;
    entry.Add("event", "download-end")
        .Add("result", pszResult)
        .Add("announced", static_cast<long long>(m_nAnnounced))
        .Add("received", static_cast<long long>(m_receiving.size()));
    if (bComplete)
    {
        ++m_nCompleted;
        m_received = m_receiving;
        entry.Add("length_ok", m_received.size() == m_nAnnounced);
        // Saved before the entry is written: whoever waits for the entry
        // finds the file in place.
        if (SaveReceived())
            entry.Add("saved", m_strSavePath);
    }
    m_transcript.Write(entry);
    m_receiving.clear();
    m_pending.clear();
    m_nFrame = 0;
    m_bAskedAgain = false;
}

bool CDownloadPeer::SaveReceived()
{
    if (m_strSavePath.empty())
        return false;
    // All or nothing, so a reader never sees half a file and a full disk
    // leaves the last saved font as it was.
    std::string strError;
    if (WriteFileAtomically(m_strSavePath, m_received.data(), m_received.size(), &strError))
        return true;
    m_transcript.Write(CJsonObject()
                           .Add("event", "error")
                           .Add("text", "cannot write the received font: " + strError));
    return false;
}
