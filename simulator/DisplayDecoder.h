#pragma once

#include "Transcript.h"

#include <cstdint>

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
    // Inside a command the bytes are its arguments or data, never the start
    // of the editor's download.
    virtual bool InCommand() const { return false; }
};
