#include "FontDownload.h"

#include "ComPort.h"
#include "DownloadFrames.h"
#include "File.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace
{
// Closes the port however the transfer ends.
class CPortHandle
{
public:
    explicit CPortHandle(int hPort) : m_hPort(hPort) {}
    ~CPortHandle() { CloseComPort(m_hPort); }
    CPortHandle(const CPortHandle&) = delete;
    CPortHandle& operator=(const CPortHandle&) = delete;
    int Get() const { return m_hPort; }

private:
    int m_hPort;
};

// The reply's own faults, checked in the display's order; Ok when sound.
EDownloadResult CheckReply(const std::uint8_t* pReply, std::uint8_t nKey)
{
    if (pReply[0] != kFrameStart)
        return EDownloadResult::HeaderError;
    if (pReply[1] != kReplyLength)
        return EDownloadResult::LengthError;
    if (pReply[2] != nKey)
        return EDownloadResult::KeyError;
    if (pReply[4] != XorChecksum(pReply, 4))
        return EDownloadResult::CheckError;
    return EDownloadResult::Ok;
}
} // namespace

EDownloadResult DownloadFont(const CFontDownload& download, const DownloadProgress& progress,
                             CClock& clock, std::string* pCause)
{
    std::string strIgnored;
    std::string& strCause = pCause ? *pCause : strIgnored;
    strCause.clear();
    CFile file;
    if (!file.Open(download.m_strPath, CFile::EMode::Read))
    {
        strCause = file.GetLastError();
        return EDownloadResult::OpenFileError;
    }
    // The header has four bytes for the length: a longer file cannot be
    // announced truthfully, so it is not sent at all.
    const auto length = file.GetLength();
    if (!length || *length > std::numeric_limits<std::uint32_t>::max())
    {
        strCause = length ? download.m_strPath + ": longer than a download can announce"
                          : file.GetLastError();
        return EDownloadResult::OpenFileError;
    }
    const auto nLength = static_cast<std::uint32_t>(*length);

    const CPortHandle port(OpenComPort(download.m_nPort, 9600, &strCause));
    if (port.Get() == kInvalidComPort)
        return EDownloadResult::OpenPortError;

    const int nFrames = static_cast<int>(nLength / kMaxFrameData + 2);
    int nFrame = 1;
    progress(nFrame, nFrames);

    std::vector<std::uint8_t> frame = BuildHeaderFrame(
        download.m_nArea, nLength, download.m_nGlyphWidth, download.m_nGlyphHeight);
    std::uint8_t nState = 1;
    std::uint32_t nSent = 0; // file bytes read into frames so far
    for (;;)
    {
        const std::size_t nFrameLength = frame[1];
        const long long nWritten = WriteComPort(port.Get(), frame.data(), nFrameLength);
        if (nWritten != static_cast<long long>(nFrameLength))
        {
            const CSerialPort* pPort = FindComPort(port.Get());
            strCause = nWritten < 0 && pPort
                           ? pPort->GetLastError()
                           : "the line took only " + std::to_string(nWritten) + " of the frame's " +
                                 std::to_string(nFrameLength) + " bytes";
            return EDownloadResult::SendError;
        }
        std::uint8_t reply[kReplyLength] = {};
        const int nReply = ReadReply(port.Get(), reply, clock);
        if (nReply == 0)
            return EDownloadResult::ReadTimeout;
        if (nReply < static_cast<int>(kReplyLength))
            return EDownloadResult::ReadPortError;
        if (const auto fault = CheckReply(reply, frame[2]); fault != EDownloadResult::Ok)
            return fault;

        const std::uint8_t nStatus = reply[3];
        if (nStatus == 0)
            return nState == 0 ? EDownloadResult::Ok : EDownloadResult::Abort;
        if (nStatus > 2)
            return EDownloadResult::CommandError;
        // The display asks for the frame it just got: send it again, as
        // often as it asks.
        if (nStatus == frame[3])
            continue;

        progress(++nFrame, nFrames);
        nState = nState == 1 ? 2 : 1;
        // Never more than the header announced: a file that grew meanwhile
        // must not run past it, and one that shrank is a failed read.
        std::uint8_t data[kMaxFrameData];
        const std::size_t nWant = std::min<std::size_t>(kMaxFrameData, nLength - nSent);
        const long long nRead = file.Read(data, nWant);
        if (nRead != static_cast<long long>(nWant))
            return EDownloadResult::ReadFileError;
        nSent += static_cast<std::uint32_t>(nRead);
        if (nRead < static_cast<long long>(kMaxFrameData))
            nState = 0;
        frame = BuildDataFrame(nState, data, static_cast<std::size_t>(nRead));
    }
}
