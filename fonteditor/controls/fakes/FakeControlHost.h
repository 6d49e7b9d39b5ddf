#pragma once

#include "ControlHost.h"
#include "RecordingMessageTarget.h"

// A control's window side for tests and snapshots: a fixed client size, and
// counts of what the control asked for. Its parent can be a
// CRecordingMessageTarget.
class CFakeControlHost final : public CControlHost
{
public:
    explicit CFakeControlHost(CClientSize size = {}) : m_size(size) {}

    CClientSize GetClientSize() const override { return m_size; }
    void Invalidate() override { ++m_nInvalidations; }

    CClientSize m_size;
    int m_nInvalidations = 0;
};
