#pragma once

// vfdsim's display side for the targets that feed it: the model the first
// input byte picks, its command decoder and the transcript both write to.
#include "Clock.h"
#include "CommandDecoder.h"
#include "Transcript.h"
#include "VirtualDisplay.h"

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class CFuzzDisplay
{
public:
    explicit CFuzzDisplay(std::uint8_t nModelByte)
        : m_display(nModelByte & 1 ? EDisplayModel::VF730 : EDisplayModel::VF620),
          m_pDecoder(std::make_unique<CCommandDecoder>(m_display, m_transcript))
    {
    }

    CCommandDecoder& Decoder() { return *m_pDecoder; }
    CTranscript& Transcript() { return m_transcript; }

    // Ends the decoder, which reports what it still holds, and gives the
    // display-side bytes the transcript accounts for: its "rx" fields in
    // order. Every line must parse, or the transcript is no longer readable.
    std::vector<std::uint8_t> FinishedRx()
    {
        m_pDecoder.reset();
        return RxOf(m_out.str());
    }

    static std::vector<std::uint8_t> RxOf(const std::string& strTranscript)
    {
        std::vector<std::uint8_t> bytes;
        std::istringstream in(strTranscript);
        for (std::string line; std::getline(in, line);)
        {
            const auto entry = CJsonObject::Parse(line);
            if (!entry)
                __builtin_trap();
            if (const auto rx = entry->Get("rx"))
                for (std::size_t i = 0; i + 1 < rx->size(); i += 3)
                    bytes.push_back(
                        static_cast<std::uint8_t>(std::stoi(rx->substr(i, 2), nullptr, 16)));
        }
        return bytes;
    }

private:
    CVirtualClock m_clock;
    std::ostringstream m_out;
    CTranscript m_transcript{&m_out, m_clock};
    CVirtualDisplay m_display;
    std::unique_ptr<CCommandDecoder> m_pDecoder;
};
