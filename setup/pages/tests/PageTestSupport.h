#pragma once

#include "RecordingPolelink.h"

#include <chrono>
#include <cstdint>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// The consecutive codes nFirst to nLast.
inline Bytes CodeRange(int nFirst, int nLast)
{
    Bytes bytes;
    for (int c = nFirst; c <= nLast; ++c)
        bytes.push_back(static_cast<std::uint8_t>(c));
    return bytes;
}

// Each WirteStrData call with the virtual time (ms) it came at.
using Timeline = std::vector<std::pair<long long, Bytes>>;

inline Timeline SentAt(const CRecordingPolelink& polelink)
{
    Timeline timeline;
    for (const auto& call : polelink.m_calls)
        if (call.m_call == CRecordingPolelink::ECall::WirteStrData)
            timeline.emplace_back(
                std::chrono::duration_cast<std::chrono::milliseconds>(call.m_at).count(),
                call.m_bytes);
    return timeline;
}
