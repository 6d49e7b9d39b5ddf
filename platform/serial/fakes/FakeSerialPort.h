#pragma once

#include "Clock.h"
#include "SerialPort.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Test double of a serial port: records what is written (each write call as
// one chunk, with the clock's time when a clock is given) and answers reads
// from queued bytes. m_onWrite lets a test play the device: it sees each
// chunk as it is written and may queue a reply.
class CFakeSerialPort final : public CSerialPort
{
public:
    explicit CFakeSerialPort(CClock* pClock = nullptr) : m_pClock(pClock) {}

    struct CWrite
    {
        std::vector<std::uint8_t> m_bytes;
        CClock::Duration m_at{0};
    };

    bool Open(const std::string& strDevice) override;
    bool IsOpen() const override { return m_bOpen; }
    bool Configure(const CSerialSettings& settings) override;
    bool SetReadTimeouts(const CReadTimeouts& timeouts) override;
    long long Write(const void* pData, std::size_t nCount) override;
    long long Read(void* pBuffer, std::size_t nCount) override;
    bool Purge(unsigned nFlags) override;
    bool Close() override;

    // Every byte written so far, in order.
    std::vector<std::uint8_t> Written() const;
    // Bytes the device sends; each QueueRead is what one read may return at
    // most (a later read gets the next queued block).
    void QueueRead(std::vector<std::uint8_t> bytes) { m_reads.push_back(std::move(bytes)); }

    // Failure switches.
    bool m_bFailOpen = false;
    // What a failed open reports: the kind, and the cause after "<device>: ".
    ESerialFault m_eOpenFault = ESerialFault::Other;
    std::string m_strOpenCause = "cannot open";
    bool m_bFailConfigure = false;
    bool m_bFailClose = false;
    int m_nFailWriteAt = -1;  // the write call (0-based) that fails; -1 none
    int m_nShortWriteAt = -1; // the write call that writes one byte less
    bool m_bFailRead = false;

    // What was asked of the port.
    std::string m_strDevice;
    std::vector<CSerialSettings> m_settings;
    std::vector<CReadTimeouts> m_timeouts;
    std::vector<unsigned> m_purges;
    std::vector<CWrite> m_writes;
    std::vector<std::size_t> m_readSizes;
    int m_nOpenCount = 0;
    int m_nCloseCount = 0;
    std::function<void(CFakeSerialPort&, const std::vector<std::uint8_t>&)> m_onWrite;

private:
    CClock* m_pClock;
    bool m_bOpen = false;
    int m_nWriteCalls = 0;
    std::deque<std::vector<std::uint8_t>> m_reads;
};
