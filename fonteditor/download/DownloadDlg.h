#pragma once

#include "Clock.h"
#include "DataExchange.h"
#include "FontDownload.h"
#include "ProgressCtrl.h"

#include <cstdint>
#include <string>

// Dialog resource 131 and its controls.
inline constexpr int IDD_DOWNLOAD = 131;
inline constexpr int IDC_SERIAL_PORT = 1017;
inline constexpr int IDC_DOWNLOAD = 1018;
inline constexpr int IDC_FONT_AREA = 1019;
inline constexpr int IDC_FILE_PATH = 1020;
inline constexpr int IDC_DOWNLOAD_PROGRESS = 1021;

// The results of a transfer and the dialog's other messages.
inline constexpr const char* kMsgSaveFileFirst = "Please save file first!";
inline constexpr const char* kMsgOpenFileError = "Open file error!";
inline constexpr const char* kMsgOpenPortError = "Open serial port error!";
inline constexpr const char* kMsgSendError = "Send to serial port error!";
inline constexpr const char* kMsgReadTimeout = "Read serial time out!";
inline constexpr const char* kMsgReadPortError = "Read serial port error!";
inline constexpr const char* kMsgHeaderError = "Command header error!";
inline constexpr const char* kMsgLengthError = "Command length error!";
inline constexpr const char* kMsgKeyError = "Command key error!";
inline constexpr const char* kMsgCheckError = "Command check error!";
inline constexpr const char* kMsgCommandError = "Command error!";
inline constexpr const char* kMsgDownloadAbort = "Download Abort!";
inline constexpr const char* kMsgDownloadOk = "Download OK!";
// The font file failed to read in the middle of a transfer.
inline constexpr const char* kMsgReadFileError = "Read file error!";

// The message for each result of a transfer.
const char* DownloadMessage(EDownloadResult result);

// The Download dialog: takes the path, port and area, checks them and runs
// DownloadFont inside the Download button's handler.
class CDownloadDlg final : public CDataExchangeForm
{
public:
    CDownloadDlg(CControlAccess& controls, CUserInterface& ui, CClock& clock = CClock::Real())
        : CDataExchangeForm(controls, ui), m_clock(clock)
    {
    }

    CProgressCtrl m_progress;
    std::uint32_t m_nFontArea = 0;
    int m_nPortIndex = 0; // COM1; the port number is the index + 1
    std::string m_strFilePath;
    int m_nGlyphWidth = 16;
    int m_nGlyphHeight = 16;

    // Shows the fields: the path, "COM1" and "0" at first.
    bool OnInitDialog();
    // The "Download" button: the path, the whole transfer, then its
    // result's message. The dialog stays open for another attempt.
    void OnDownload();
    // OK takes the entries; false (the message shown) keeps the dialog open.
    bool OnOK();

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    CClock& m_clock;
};
