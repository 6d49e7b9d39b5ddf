#pragma once

#include "ByteRouter.h"
#include "Clock.h"
#include "CommandDecoder.h"
#include "ConsoleFont.h"
#include "DownloadPeer.h"
#include "Line.h"
#include "LineEnd.h"
#include "LiveScreen.h"
#include "ScreenOutput.h"
#include "SimOptions.h"
#include "Transcript.h"
#include "VirtualDisplay.h"

#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

// vfdsim without its main: the virtual line, the transcript, the download
// peer, the virtual display with its command decoder and screen, and the
// loop that feeds them.
class CSimulator final : private CLine
{
public:
    explicit CSimulator(CSimOptions options, CClock& clock = CClock::Real());
    ~CSimulator() override;

    // Opens the line, the transcript and the send pipe, and reads
    // the console font. False with the cause in strError.
    bool Start(std::string& strError);
    // What went wrong without stopping the start (a missing console font).
    const std::string& Warning() const { return m_strWarning; }
    // Prints the port setting, then writes it to the port file: whoever
    // waits for the file finds the line printed too.
    bool Publish(std::ostream& out, std::string& strError);
    // "VFDKIT_COM<n>=<device>".
    std::string PortSetting() const;
    const std::string& DevicePath() const { return m_strDevice; }

    // Serves the line until nStopFd becomes readable (a signal's self-pipe)
    // or a hang-up fault has dropped the line. Sleeps in poll() while the
    // line is quiet. Returns the exit status.
    int Run(int nStopFd);
    // Hands every change to a watcher on another thread and takes its fault
    // requests; after Start, before Run.
    void AttachLive(CLiveScreen& live);

    const CDownloadPeer& Peer() const { return *m_pPeer; }
    const CVirtualDisplay& Display() const { return m_display; }
    // The console font the pictures draw with; nullptr when none was read.
    const CConsoleFont* Font() const { return m_font ? &*m_font : nullptr; }
    const CSimOptions& Options() const { return m_options; }

    // How long the line stays quiet before the screen is shown.
    static constexpr std::chrono::milliseconds kScreenSettle{40};

private:
    // CLine
    void Send(const std::vector<std::uint8_t>& bytes) override;
    bool OpenSendPipe(std::string& strError);
    // The --link: made over nothing or over a stale link, never over
    // anything else.
    bool MakeLink(std::string& strError);
    // Passes what the send pipe holds on to the line.
    void ForwardSendPipe();
    void ShowScreen();
    void OnTranscript(const CJsonObject& entry);
    // Publishes to the watcher when anything it shows changed.
    void PublishLive(std::chrono::steady_clock::time_point arrived);
    void TakeFaultRequest();
    void HangUp(const std::vector<std::uint8_t>& lastBytes) override
    {
        m_bHangUp = true;
        m_lastBytes = lastBytes;
    }

    CSimOptions m_options;
    CClock& m_clock;
    std::unique_ptr<CLineEnd> m_pLine; // a pseudo-terminal, or TCP with --listen
    std::string m_strDevice;           // the line's, kept once it is closed
    std::ofstream m_transcriptFile;
    std::unique_ptr<CTranscript> m_pTranscript;
    std::unique_ptr<CDownloadPeer> m_pPeer;
    CVirtualDisplay m_display;
    std::optional<CConsoleFont> m_font;
    std::unique_ptr<CCommandDecoder> m_pDecoder;
    std::unique_ptr<CScreenOutput> m_pScreen;
    std::unique_ptr<CByteRouter> m_pRouter;
    std::string m_strWarning;
    int m_nSendPipe = -1;
    bool m_bSendPipeMade = false;
    bool m_bHangUp = false;
    std::vector<std::uint8_t> m_lastBytes; // sent just before the hang-up
    bool m_bPortFileWritten = false;
    bool m_bLinkMade = false;

    CLiveScreen* m_pLive = nullptr;
    CLiveState m_live; // what was last published, display aside
    bool m_bLiveDirty = true;
    std::uint64_t m_nLiveChanges = ~std::uint64_t{0};
};
