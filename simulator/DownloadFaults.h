#pragma once

#include <string>

// Faults the simulated display can put into its replies to the editor's
// download, so that every way a transfer can fail can be driven for real.
// One fault a run; it strikes the reply to one frame of each transfer,
// counted from 0 for the header frame (repeats of a frame keep its number).
struct CDownloadFaults
{
    enum class EFault
    {
        None,
        BadHeader,   // reply byte 0 is not 0x1B
        BadLength,   // reply byte 1 is not 5
        BadKey,      // reply byte 2 is not the frame's key
        BadChecksum, // reply byte 4 is wrong
        Status,      // reply status m_nValue (3 to 255)
        Abort,       // reply status 0 before the end
        Repeat,      // asks for the same frame again m_nValue times, then takes it
        Silence,     // no reply at all
        ShortReply,  // only the first m_nValue bytes (1 to 4) of the reply
        LongReply,   // m_nValue more bytes after the reply, the reply over again
        HangUp       // replies, then drops the line while the next frame goes out
    };

    EFault m_fault = EFault::None;
    unsigned m_nAtFrame = 0;
    unsigned m_nValue = 0;
};

// The option's name of a fault ("bad-key"), as the transcript names it too.
const char* FaultName(CDownloadFaults::EFault fault);
