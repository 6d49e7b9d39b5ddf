#pragma once

#include "Line.h"
#include "Transcript.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// Frames of the editor's download, built here from the wire format and not
// from the simulator's code, and a line that records what it is told.

using Bytes = std::vector<std::uint8_t>;

inline std::uint8_t XorOf(const Bytes& bytes, std::size_t nCount)
{
    std::uint8_t nSum = 0;
    for (std::size_t i = 0; i < nCount; ++i)
        nSum ^= bytes[i];
    return nSum;
}

inline Bytes HeaderFrame(std::uint32_t nLength, std::uint8_t nArea = 0, std::uint8_t nWidth = 16,
                         std::uint8_t nHeight = 16)
{
    Bytes frame = {0x1B,
                   0x0C,
                   0x01,
                   0x01,
                   nArea,
                   static_cast<std::uint8_t>(nLength),
                   static_cast<std::uint8_t>(nLength >> 8),
                   static_cast<std::uint8_t>(nLength >> 16),
                   static_cast<std::uint8_t>(nLength >> 24),
                   nWidth,
                   nHeight};
    frame.push_back(XorOf(frame, 10)); // the byte before the checksum is left out
    return frame;
}

inline Bytes DataFrame(std::uint8_t nSequence, const Bytes& data)
{
    Bytes frame = {0x1B, static_cast<std::uint8_t>(data.size() + 5), 0x01, nSequence};
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(XorOf(frame, frame.size() - 1));
    return frame;
}

inline Bytes ReplyBytes(std::uint8_t nStatus)
{
    Bytes reply = {0x1B, 0x05, 0x01, nStatus};
    reply.push_back(XorOf(reply, 4));
    return reply;
}

struct CRecordingLine final : CLine
{
    void Send(const Bytes& bytes) override { m_sent.push_back(bytes); }
    void HangUp(const Bytes& lastBytes) override
    {
        m_sent.push_back(lastBytes);
        ++m_nHangUps;
    }

    std::vector<Bytes> m_sent;
    int m_nHangUps = 0;
};

inline std::vector<CJsonObject> ParseTranscript(const std::string& strText)
{
    std::vector<CJsonObject> entries;
    std::istringstream in(strText);
    for (std::string line; std::getline(in, line);)
        if (auto entry = CJsonObject::Parse(line))
            entries.push_back(*entry);
        else
            entries.push_back(CJsonObject().Add("event", "unparsable").Add("line", line));
    return entries;
}

// The entries of one event.
inline std::vector<CJsonObject> Events(const std::vector<CJsonObject>& entries,
                                       const std::string& strEvent)
{
    std::vector<CJsonObject> found;
    for (const auto& entry : entries)
        if (entry.Get("event") == strEvent)
            found.push_back(entry);
    return found;
}
