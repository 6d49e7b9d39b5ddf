#pragma once

#include "Transcript.h"

#include <cstdint>
#include <vector>

// Where the bytes go that are not the editor's download: the display's
// command set (ESC, US and STX sequences and plain text). A decoder sees
// every such byte in order and tells the transcript what it made of them.
//
// Every entry a decoder writes carries "rx": the bytes from the line that
// the entry covers, in hex. Read in order, the "rx" fields give back every
// display-side byte exactly once, whatever the decoder made of them, so
// tests can check the bytes a tool sent without depending on the decoding.
class CDisplayDecoder
{
public:
    virtual ~CDisplayDecoder() = default;

    virtual void Feed(std::uint8_t nByte) = 0;
    // The line went quiet: a good moment to report what is pending.
    virtual void OnIdle() {}
};

// The plainest decoder: printable runs become "text" entries, everything
// else "unknown" entries with the bytes in hex. A command decoder replaces
// it by deriving from CDisplayDecoder.
class CPlainDecoder final : public CDisplayDecoder
{
public:
    explicit CPlainDecoder(CTranscript& transcript) : m_transcript(transcript) {}
    ~CPlainDecoder() override { Flush(); }

    void Feed(std::uint8_t nByte) override;
    void OnIdle() override { Flush(); }

private:
    void Flush();

    CTranscript& m_transcript;
    std::vector<std::uint8_t> m_run;
    bool m_bText = false;
};
