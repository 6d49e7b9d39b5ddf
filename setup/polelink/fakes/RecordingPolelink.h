#pragma once

#include "Clock.h"
#include "Polelink.h"

#include <cstdint>
#include <string>
#include <vector>

// Test double of the serial library: records every call in order, with the
// bytes of each WirteStrData, and answers UpdateFontLib with m_nUpdateResult.
// Given a clock, it also notes when each call came, to see them between
// the pauses.
class CRecordingPolelink final : public CPolelink
{
public:
    enum class ECall
    {
        OpenComm,
        CloseComm,
        WirteStrData,
        Init,
        UpdateFontLib
    };

    struct CCall
    {
        ECall m_call;
        std::vector<std::uint8_t> m_bytes{}; // WirteStrData: the nLength bytes given
        int m_nLength = 0;                   // WirteStrData: the length as given
        std::string m_strPath{};             // UpdateFontLib
        unsigned long m_dwArea = 0;
        unsigned long m_dwPage = 0;
        CClock::Duration m_at{}; // m_pClock's time at the call

        bool operator==(const CCall&) const = default;
    };

    void OpenComm() override { Record({ECall::OpenComm}); }
    void CloseComm() override { Record({ECall::CloseComm}); }
    void WirteStrData(const char* pData, int nLength) override;
    void Init() override { Record({ECall::Init}); }
    int UpdateFontLib(const std::string& strPath, unsigned long dwArea,
                      unsigned long dwPage) override;
    std::string LastErrorText() override { return m_strLastErrorText; }
    std::string m_strLastErrorText;

    // The bytes of each WirteStrData call, one entry a call, in order.
    std::vector<std::vector<std::uint8_t>> Sent() const;
    std::vector<ECall> Kinds() const;

    std::vector<CCall> m_calls;
    int m_nUpdateResult = 1;
    CClock* m_pClock = nullptr;

private:
    void Record(CCall call);
};
