#pragma once

#include "Clock.h"
#include "Vf620Calls.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Test double of the driver library: records every call with its arguments
// (the bytes of each SendDStr apart) and the clock's time, and answers with
// the results set in its fields. A download can show library messages
// through the hook the program installed, as the library does.
class CRecordingVf620Calls final : public CVf620Calls
{
public:
    struct CCall
    {
        std::string m_strName;               // "OpenDComm", "SendDStr", ...
        std::vector<std::int64_t> m_args{};  // the integer arguments in order
        std::vector<std::uint8_t> m_bytes{}; // SendDStr: the bytes sent
        std::string m_strPath{};             // the downloads: the path
        CClock::Duration m_at{};             // the clock's time at the call

        bool operator==(const CCall&) const = default;
    };

    explicit CRecordingVf620Calls(CClock& clock) : m_clock(clock) {}

    std::int32_t OpenDComm(std::int32_t nPort, std::int32_t nParity, std::int32_t nBaud) override;
    std::int32_t SendDStr(const void* pData, std::uint32_t nCount) override;
    std::int32_t CloseDComm() override;
    std::int32_t ClearDisplay() override;
    std::int32_t DownLoadFile(const char* pszPath, std::uint32_t dwArea) override;
    std::int32_t DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                        std::int32_t nPage) override;
    void SetMessageHook(CUserInterface* pUi) override { m_pHook = pUi; }
    std::string LastErrorText() override { return m_strLastErrorText; }

    // The names of the calls so far, in order.
    std::vector<std::string> Names() const;
    // Every byte sent: SendDStr's bytes, and 0C for each ClearDisplay.
    std::vector<std::uint8_t> LineBytes() const;

    std::vector<CCall> m_calls;
    CUserInterface* m_pHook = nullptr;

    // Results.
    std::int32_t m_nOpenResult = 1;
    std::int32_t m_nSendResult = 1;
    std::int32_t m_nCloseResult = 1;
    std::int32_t m_nClearResult = 1;
    std::int32_t m_nDownloadResult = 1;
    std::string m_strLastErrorText;
    // Messages the next downloads show through the hook before they return
    // (the library's "Please select the file path first!" and the like).
    std::vector<std::string> m_downloadMessages;
    // Runs inside every call, after it was recorded (tests look at the
    // window's state at that moment).
    std::function<void(const CCall&)> m_onCall;

private:
    std::int32_t Record(CCall call, std::int32_t nResult);
    void ShowDownloadMessages();

    CClock& m_clock;
};
