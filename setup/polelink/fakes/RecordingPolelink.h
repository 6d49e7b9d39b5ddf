#pragma once

#include "Polelink.h"

#include <cstdint>
#include <string>
#include <vector>

// Test double of the serial library: records every call in order, with the
// bytes of each WirteStrData, and answers UpdateFontLib with m_nUpdateResult.
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

        bool operator==(const CCall&) const = default;
    };

    void OpenComm() override { m_calls.push_back({ECall::OpenComm}); }
    void CloseComm() override { m_calls.push_back({ECall::CloseComm}); }
    void WirteStrData(const char* pData, int nLength) override;
    void Init() override { m_calls.push_back({ECall::Init}); }
    int UpdateFontLib(const std::string& strPath, unsigned long dwArea,
                      unsigned long dwPage) override;

    // The bytes of each WirteStrData call, one entry a call, in order.
    std::vector<std::vector<std::uint8_t>> Sent() const;
    std::vector<ECall> Kinds() const;

    std::vector<CCall> m_calls;
    int m_nUpdateResult = 1;
};
