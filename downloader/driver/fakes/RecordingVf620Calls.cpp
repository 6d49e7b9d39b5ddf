#include "RecordingVf620Calls.h"

#include "UserInterface.h"

std::int32_t CRecordingVf620Calls::Record(CCall call, std::int32_t nResult)
{
    call.m_at = m_clock.Now();
    m_calls.push_back(std::move(call));
    if (m_onCall)
        m_onCall(m_calls.back());
    return nResult;
}

void CRecordingVf620Calls::ShowDownloadMessages()
{
    for (const auto& strText : m_downloadMessages)
        if (m_pHook)
            m_pHook->MessageBox(strText);
    m_downloadMessages.clear();
}

std::int32_t CRecordingVf620Calls::OpenDComm(std::int32_t nPort, std::int32_t nParity,
                                             std::int32_t nBaud)
{
    return Record({.m_strName = "OpenDComm", .m_args = {nPort, nParity, nBaud}}, m_nOpenResult);
}

std::int32_t CRecordingVf620Calls::SendDStr(const void* pData, std::uint32_t nCount)
{
    const auto* pBytes = static_cast<const std::uint8_t*>(pData);
    return Record({.m_strName = "SendDStr",
                   .m_args = {nCount},
                   .m_bytes = std::vector<std::uint8_t>(pBytes, pBytes + nCount)},
                  m_nSendResult);
}

std::int32_t CRecordingVf620Calls::CloseDComm()
{
    return Record({.m_strName = "CloseDComm"}, m_nCloseResult);
}

std::int32_t CRecordingVf620Calls::ClearDisplay()
{
    return Record({.m_strName = "ClearDisplay"}, m_nClearResult);
}

std::int32_t CRecordingVf620Calls::DownLoadFile(const char* pszPath, std::uint32_t dwArea)
{
    ShowDownloadMessages();
    return Record({.m_strName = "DownLoadFile", .m_args = {dwArea}, .m_strPath = pszPath},
                  m_nDownloadResult);
}

std::int32_t CRecordingVf620Calls::DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                                          std::int32_t nPage)
{
    ShowDownloadMessages();
    return Record(
        {.m_strName = "DownLoadFileSinglePage", .m_args = {dwArea, nPage}, .m_strPath = pszPath},
        m_nDownloadResult);
}

std::vector<std::string> CRecordingVf620Calls::Names() const
{
    std::vector<std::string> names;
    for (const auto& call : m_calls)
        names.push_back(call.m_strName);
    return names;
}

std::vector<std::uint8_t> CRecordingVf620Calls::LineBytes() const
{
    std::vector<std::uint8_t> bytes;
    for (const auto& call : m_calls)
    {
        if (call.m_strName == "SendDStr")
            bytes.insert(bytes.end(), call.m_bytes.begin(), call.m_bytes.end());
        else if (call.m_strName == "ClearDisplay")
            bytes.push_back(0x0C);
    }
    return bytes;
}
