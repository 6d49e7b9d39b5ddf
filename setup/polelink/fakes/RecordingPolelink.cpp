#include "RecordingPolelink.h"

void CRecordingPolelink::Record(CCall call)
{
    if (m_pClock)
        call.m_at = m_pClock->Now();
    m_calls.push_back(std::move(call));
}

void CRecordingPolelink::WirteStrData(const char* pData, int nLength)
{
    CCall call{ECall::WirteStrData};
    call.m_nLength = nLength;
    if (pData && nLength > 0)
        call.m_bytes.assign(reinterpret_cast<const std::uint8_t*>(pData),
                            reinterpret_cast<const std::uint8_t*>(pData) + nLength);
    Record(std::move(call));
}

int CRecordingPolelink::UpdateFontLib(const std::string& strPath, unsigned long dwArea,
                                      unsigned long dwPage)
{
    CCall call{ECall::UpdateFontLib};
    call.m_strPath = strPath;
    call.m_dwArea = dwArea;
    call.m_dwPage = dwPage;
    Record(std::move(call));
    return m_nUpdateResult;
}

std::vector<std::vector<std::uint8_t>> CRecordingPolelink::Sent() const
{
    std::vector<std::vector<std::uint8_t>> sent;
    for (const auto& call : m_calls)
        if (call.m_call == ECall::WirteStrData)
            sent.push_back(call.m_bytes);
    return sent;
}

std::vector<CRecordingPolelink::ECall> CRecordingPolelink::Kinds() const
{
    std::vector<ECall> kinds;
    for (const auto& call : m_calls)
        kinds.push_back(call.m_call);
    return kinds;
}
