#pragma once

#include "DisplayCommands.h"
#include "DriverPort.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Sends a font file to the display in 260-byte frames (ESC "S", area code,
// page number, 256 file bytes), with the progress shown on the display
// itself and the pauses the display needs after each frame. The file is a
// flat sequence of bytes here; nothing interprets it.
class CFontDownload
{
public:
    // Shows a message to the user and returns when it has been seen.
    using CMessageSink = std::function<void(const std::string& strText)>;

    static constexpr std::uint32_t kPageBytes = 256;
    static constexpr std::uint32_t kFrameBytes = kPageBytes + 4;
    static constexpr std::chrono::milliseconds kPageWait{4000};
    static constexpr std::chrono::milliseconds kSinglePageWait{2000};
    static constexpr std::chrono::milliseconds kBlinkTime{3000};

    CFontDownload(CDriverPort& port, CDisplayCommands& commands, CMessageSink messageSink);

    std::int32_t DownLoadFile(const char* pszPath, std::uint32_t dwArea);
    std::int32_t DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                        std::int32_t nPage);

private:
    // Reads at most nBytes from the start of the file into a buffer of
    // exactly nBytes; what the file lacks stays zero. An unreadable or empty
    // file is reported to the user and gives the call's result.
    std::optional<std::int32_t> ReadFont(const std::string& strPath, std::uint32_t nBytes,
                                         std::vector<std::uint8_t>& data);
    // Shows a failure's message; it is the call's cause as well.
    void Report(const std::string& strText);
    void ShowDownloading();
    std::int32_t SendFrame(std::uint32_t dwArea, std::uint8_t nPage, const std::uint8_t* pBytes);
    void ShowComplete();
    std::int32_t SendText(const char* pszText);

    CDriverPort& m_port;
    CDisplayCommands& m_commands;
    CMessageSink m_messageSink;
};
