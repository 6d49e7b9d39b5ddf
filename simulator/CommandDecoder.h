#pragma once

#include "Transcript.h"
#include "VirtualDisplay.h"

#include <cstdint>
#include <string>
#include <vector>

// The display's command set: decodes the bytes from the line that are not
// the editor's download into the virtual display and writes one transcript
// entry per command, each with the bytes it covers in "rx" (docs/vfdsim.md
// lists the events). Read in order, the "rx" fields give back every
// display-side byte exactly once, whatever the decoder made of them, so
// tests can check the bytes a tool sent without depending on the decoding.
//
// Bytes of 0x20 and above outside a command are characters written at the
// cursor; a run of them is one "text" entry. A byte that does not fit the
// command being read ends it: the bytes before it become an "unknown" entry
// and it is decoded afresh, so a lost or extra byte costs at most the
// command it hit. Every command has a bounded length (a font frame, the
// longest, 260 bytes; a glyph definition at most 3,588).
class CCommandDecoder final
{
public:
    CCommandDecoder(CVirtualDisplay& display, CTranscript& transcript)
        : m_display(display), m_transcript(transcript)
    {
    }
    ~CCommandDecoder() { OnIdle(); }

    void Feed(std::uint8_t nByte);
    // The line went quiet: a command still incomplete is reported as
    // "unknown" ("reason": "incomplete") and forgotten.
    void OnIdle();
    // Inside a command the bytes are its arguments or data, never the start
    // of the editor's download.
    bool InCommand() const { return !m_command.empty(); }

    // Reports the characters written so far, so that the transcript is
    // complete before the screen is shown; a command in progress stays.
    void Settle() { FlushText(); }
    std::uint64_t BytesFed() const { return m_nBytesFed; }

private:
    enum class EParse
    {
        More,
        Done,
        Unknown
    };
    struct CParse
    {
        EParse m_result;
        std::size_t m_nLength = 0; // Unknown: the bytes that are not a command
    };

    void Step(std::uint8_t nByte, std::vector<std::uint8_t>& queue);
    CParse Parse() const;
    void Execute();
    void ExecuteEscape(CJsonObject& entry);
    void ExecuteUnitSeparator(CJsonObject& entry);
    void ExecuteFramed(CJsonObject& entry);
    void AddCursor(CJsonObject& entry) const;
    void FlushText();
    void ReportUnknown(std::size_t nLength, const char* pszReason);
    void Write(CJsonObject& entry, const std::uint8_t* pRx, std::size_t nCount);

    CVirtualDisplay& m_display;
    CTranscript& m_transcript;
    std::vector<std::uint8_t> m_command; // the command being read
    std::string m_text;                  // characters not yet reported
    std::uint64_t m_nBytesFed = 0;
};
