#pragma once

#include "ControlHost.h"
#include "MessageTarget.h"

#include <cstdint>
#include <vector>

// A control's window side for tests and snapshots: a fixed client size, and
// counts of what the control asked for.
class CFakeControlHost final : public CControlHost
{
public:
    explicit CFakeControlHost(CClientSize size = {}) : m_size(size) {}

    CClientSize GetClientSize() const override { return m_size; }
    void SetFocus() override { ++m_nFocusCalls; }
    void Invalidate() override { ++m_nInvalidations; }

    CClientSize m_size;
    int m_nFocusCalls = 0;
    int m_nInvalidations = 0;
};

// A parent window that records the messages its controls send.
class CRecordingMessageTarget final : public CMessageTarget
{
public:
    struct CMessage
    {
        unsigned m_nMsg;
        std::uintptr_t m_wParam;
        std::intptr_t m_lParam;
        bool operator==(const CMessage&) const = default;
    };

    std::intptr_t SendMessage(unsigned nMsg, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        m_messages.push_back({nMsg, wParam, lParam});
        return 1;
    }

    std::vector<CMessage> m_messages;
};
