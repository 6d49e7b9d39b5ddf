#include "DownloadDlg.h"

#include "ComPort.h"
#include "DownloadFrames.h"
#include "File.h"

#include <algorithm>
#include <limits>
#include <vector>

void CDownloadDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Control(IDC_DOWNLOAD_PROGRESS, m_progress);
    dx.Text(IDC_FONT_AREA, m_nFontArea);
    dx.ComboIndex(IDC_SERIAL_PORT, m_nPortIndex);
    dx.Text(IDC_FILE_PATH, m_strFilePath);
}

bool CDownloadDlg::OnInitDialog()
{
    UpdateData(false);
    return true;
}

bool CDownloadDlg::OnOK()
{
    return UpdateData(true);
}

void CDownloadDlg::OnDownload()
{
    if (!UpdateData(true))
        return;
    if (m_strFilePath.empty())
    {
        m_ui.MessageBox(kMsgSaveFileFirst);
        return;
    }
    // The path itself, before any file or port is touched.
    m_ui.MessageBox(m_strFilePath);

    CFile file;
    if (!file.Open(m_strFilePath, CFile::EMode::Read))
    {
        m_ui.MessageBox(kMsgOpenFileError);
        return;
    }
    // The header has four bytes for the length: a longer file cannot be
    // announced truthfully, so it is not sent at all.
    const auto length = file.GetLength();
    if (!length || *length > std::numeric_limits<std::uint32_t>::max())
    {
        file.Close();
        m_ui.MessageBox(kMsgOpenFileError);
        return;
    }
    const auto nLength = static_cast<std::uint32_t>(*length);

    const int hPort = OpenComPort(m_nPortIndex + 1, 9600);
    if (hPort == kInvalidComPort)
    {
        file.Close();
        m_ui.MessageBox(kMsgOpenPortError);
        return;
    }

    m_progress.SetRange32(0, static_cast<int>(nLength / kMaxFrameData + 2));
    m_progress.SetPos(0);
    m_progress.SetStep(1);
    m_progress.StepIt();

    std::vector<std::uint8_t> frame =
        BuildHeaderFrame(m_nFontArea, nLength, m_nGlyphWidth, m_nGlyphHeight);
    std::uint8_t nState = 1;
    std::uint32_t nSent = 0; // file bytes read into frames so far
    const char* pszResult = nullptr;
    for (;;)
    {
        const std::size_t nFrameLength = frame[1];
        if (WriteComPort(hPort, frame.data(), nFrameLength) != static_cast<long long>(nFrameLength))
        {
            pszResult = kMsgSendError;
            break;
        }
        std::uint8_t reply[kReplyLength] = {};
        const int nReply = ReadReply(hPort, reply, m_clock);
        if (nReply == 0)
        {
            pszResult = kMsgReadTimeout;
            break;
        }
        if (nReply < static_cast<int>(kReplyLength))
        {
            pszResult = kMsgReadPortError;
            break;
        }
        if (reply[0] != kFrameStart)
            pszResult = kMsgHeaderError;
        else if (reply[1] != kReplyLength)
            pszResult = kMsgLengthError;
        else if (reply[2] != frame[2])
            pszResult = kMsgKeyError;
        else if (reply[4] != XorChecksum(reply, 4))
            pszResult = kMsgCheckError;
        if (pszResult)
            break;

        const std::uint8_t nStatus = reply[3];
        if (nStatus == 0)
        {
            pszResult = nState == 0 ? kMsgDownloadOk : kMsgDownloadAbort;
            break;
        }
        if (nStatus > 2)
        {
            pszResult = kMsgCommandError;
            break;
        }
        // The display asks for the frame it just got: send it again, as
        // often as it asks.
        if (nStatus == frame[3])
            continue;

        m_progress.StepIt();
        nState = nState == 1 ? 2 : 1;
        // Never more than the header announced: a file that grew meanwhile
        // must not run past it, and one that shrank is a failed read.
        std::uint8_t data[kMaxFrameData];
        const std::size_t nWant = std::min<std::size_t>(kMaxFrameData, nLength - nSent);
        const long long nRead = file.Read(data, nWant);
        if (nRead != static_cast<long long>(nWant))
        {
            pszResult = kMsgReadFileError;
            break;
        }
        nSent += static_cast<std::uint32_t>(nRead);
        if (nRead < static_cast<long long>(kMaxFrameData))
            nState = 0;
        frame = BuildDataFrame(nState, data, static_cast<std::size_t>(nRead));
    }

    m_ui.MessageBox(pszResult, pszResult == kMsgDownloadOk ? EMessageIcon::Information
                                                           : EMessageIcon::Warning);
    m_progress.SetPos(0);
    CloseComPort(hPort);
    file.Close();
}
