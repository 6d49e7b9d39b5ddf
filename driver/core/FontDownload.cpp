#include "FontDownload.h"

#include "File.h"
#include "FontAreas.h"

#include <algorithm>
#include <cstring>

namespace
{
const char* const kEmptyMessage = "The selected file is empty!";
const char* const kAreaMessage = "\"dwArea\" must be '0' (0x20 to 0x7F) && '1' (0x80 to 0xFF)!";

bool IsArea(std::uint32_t dwArea)
{
    return dwArea == 0 || dwArea == 1;
}
} // namespace

CFontDownload::CFontDownload(CDriverPort& port, CDisplayCommands& commands,
                             CMessageSink messageSink)
    : m_port(port), m_commands(commands), m_messageSink(std::move(messageSink))
{
}

std::int32_t CFontDownload::DownLoadFile(const char* pszPath, std::uint32_t dwArea)
{
    if (!pszPath || !*pszPath)
    {
        Report("Please select the file path first!");
        return 0;
    }
    // The file is read before the area is checked, so an empty file reports
    // itself first; the largest area bounds what is read.
    std::vector<std::uint8_t> data;
    if (const auto nStop = ReadFont(pszPath, FontAreaPages(1) * kPageBytes, data))
        return *nStop;
    if (!IsArea(dwArea))
    {
        Report(kAreaMessage);
        return -1;
    }

    ShowDownloading();
    std::int32_t nResult = 0;
    for (std::uint32_t nPage = 1; nPage <= FontAreaPages(dwArea); ++nPage)
    {
        // A failed frame does not stop the others: the display keeps what
        // arrived, and the result is that of the last frame.
        nResult = SendFrame(dwArea, static_cast<std::uint8_t>(nPage),
                            data.data() + (nPage - 1) * kPageBytes);
        m_port.GetClock().Sleep(kPageWait);
    }
    ShowComplete();
    return nResult;
}

std::int32_t CFontDownload::DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                                   std::int32_t nPage)
{
    if (!pszPath || !*pszPath)
    {
        Report("Please select file path first!");
        return 0;
    }
    std::vector<std::uint8_t> data;
    if (const auto nStop = ReadFont(pszPath, kPageBytes, data))
        return *nStop;
    if (!IsArea(dwArea))
    {
        Report(kAreaMessage);
        return 0;
    }

    ShowDownloading();
    // The frame always carries the file's first 256 bytes; the page number
    // only tells the display where to put them.
    const std::int32_t nResult = SendFrame(dwArea, LowByte(nPage), data.data());
    m_port.GetClock().Sleep(kSinglePageWait);
    ShowComplete();
    return nResult;
}

std::optional<std::int32_t> CFontDownload::ReadFont(const std::string& strPath,
                                                    std::uint32_t nBytes,
                                                    std::vector<std::uint8_t>& data)
{
    data.assign(nBytes, 0);
    CFile file;
    long long nRead = -1;
    if (file.Open(strPath, CFile::EMode::Read))
        nRead = file.Read(data.data(), data.size());
    if (nRead < 0)
    {
        Report("Cannot read the font file. " + file.GetLastError());
        return 0;
    }
    if (nRead == 0)
    {
        Report(kEmptyMessage);
        return -1;
    }
    return std::nullopt;
}

void CFontDownload::Report(const std::string& strText)
{
    m_port.SetLastError(strText);
    m_messageSink(strText);
}

void CFontDownload::ShowDownloading()
{
    const std::uint8_t prepare[] = {0x1B, 0x52, 0x01};
    m_port.SendDStr(prepare, sizeof prepare);
    m_commands.ClearDisplay();
    SendText("Downloading...");
}

std::int32_t CFontDownload::SendFrame(std::uint32_t dwArea, std::uint8_t nPage,
                                      const std::uint8_t* pBytes)
{
    std::uint8_t frame[kFrameBytes] = {0x1B, 'S',
                                       static_cast<std::uint8_t>(dwArea == 0 ? 0x02 : 0x03), nPage};
    std::memcpy(frame + 4, pBytes, kPageBytes);
    return m_port.WriteRaw(frame, kFrameBytes);
}

void CFontDownload::ShowComplete()
{
    m_commands.ClearDisplay();
    SendText("Download Complete!");
    m_commands.SetInterForBlink(10);
    m_port.GetClock().Sleep(kBlinkTime);
    m_commands.SetInterForBlink(0);
    m_commands.InitDisplay();
}

std::int32_t CFontDownload::SendText(const char* pszText)
{
    return m_port.SendDStr(pszText, static_cast<std::uint32_t>(std::strlen(pszText)));
}
