#include "DownloadDlg.h"

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

const char* DownloadMessage(EDownloadResult result)
{
    switch (result)
    {
    case EDownloadResult::Ok:
        return kMsgDownloadOk;
    case EDownloadResult::OpenFileError:
        return kMsgOpenFileError;
    case EDownloadResult::OpenPortError:
        return kMsgOpenPortError;
    case EDownloadResult::SendError:
        return kMsgSendError;
    case EDownloadResult::ReadTimeout:
        return kMsgReadTimeout;
    case EDownloadResult::ReadPortError:
        return kMsgReadPortError;
    case EDownloadResult::HeaderError:
        return kMsgHeaderError;
    case EDownloadResult::LengthError:
        return kMsgLengthError;
    case EDownloadResult::KeyError:
        return kMsgKeyError;
    case EDownloadResult::CheckError:
        return kMsgCheckError;
    case EDownloadResult::CommandError:
        return kMsgCommandError;
    case EDownloadResult::Abort:
        return kMsgDownloadAbort;
    case EDownloadResult::ReadFileError:
        return kMsgReadFileError;
    }
    return kMsgCommandError;
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

    bool bStarted = false;
    const auto progress = [&](int nFrame, int nFrames)
    {
        if (nFrame == 1)
        {
            m_progress.SetRange32(0, nFrames);
            m_progress.SetPos(0);
            m_progress.SetStep(1);
            bStarted = true;
        }
        // A step, not a position: past the end the bar wraps round as the
        // control does.
        m_progress.StepIt();
    };
    std::string strCause;
    const EDownloadResult result =
        DownloadFont({m_strFilePath, m_nFontArea, m_nGlyphWidth, m_nGlyphHeight, m_nPortIndex + 1},
                     progress, m_clock, &strCause);
    // The dialog's own message stays the first line; the cause follows it.
    m_ui.MessageBox(WithCause(DownloadMessage(result), strCause), result == EDownloadResult::Ok
                                                                      ? EMessageIcon::Information
                                                                      : EMessageIcon::Warning);
    if (bStarted)
        m_progress.SetPos(0);
}
