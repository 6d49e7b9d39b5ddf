#pragma once

#include "MessageTarget.h"

#include <cstdint>
#include <functional>
#include <vector>

struct CSentMessage
{
    unsigned m_nMsg;
    std::uintptr_t m_wParam;
    std::intptr_t m_lParam;
    bool operator==(const CSentMessage&) const = default;
};

// A message target that records what it is sent and answers 1, as the
// handlers of the programs' windows do. TBase is CMessageTarget or an
// interface derived from it, for fakes that are more than a target.
template <typename TBase = CMessageTarget>
class CRecordingMessageTargetOf : public TBase
{
public:
    std::intptr_t SendMessage(unsigned nMsg, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        m_messages.push_back({nMsg, wParam, lParam});
        if (m_onMessage)
            m_onMessage(m_messages.back());
        return 1;
    }

    std::vector<CSentMessage> m_messages;
    // Runs inside each message, as the receiving window's handler would.
    std::function<void(const CSentMessage&)> m_onMessage;
};

using CRecordingMessageTarget = CRecordingMessageTargetOf<>;
