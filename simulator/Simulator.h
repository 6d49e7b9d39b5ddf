#pragma once

#include "ByteRouter.h"
#include "Clock.h"
#include "DisplayDecoder.h"
#include "DownloadPeer.h"
#include "Line.h"
#include "PseudoTerminal.h"
#include "SimOptions.h"
#include "Transcript.h"

#include <fstream>
#include <memory>
#include <string>

// vfdsim without its main: the virtual line, the transcript, the download
// peer and the display decoder, and the loop that feeds them.
class CSimulator final : private CLine
{
public:
    explicit CSimulator(CSimOptions options, CClock& clock = CClock::Real());
    ~CSimulator() override;

    // Opens the pseudo-terminal and the transcript. False with the cause
    // in strError.
    bool Start(std::string& strError);
    // Prints the port setting, then writes it to the port file: whoever
    // waits for the file finds the line printed too.
    bool Publish(std::ostream& out, std::string& strError);
    // "VFDKIT_COM<n>=<device>".
    std::string PortSetting() const;
    const std::string& DevicePath() const { return m_terminal.DevicePath(); }

    // Serves the line until nStopFd becomes readable (a signal's self-pipe)
    // or a hang-up fault has dropped the line. Sleeps in poll() while the
    // line is quiet. Returns the exit status.
    int Run(int nStopFd);

    const CDownloadPeer& Peer() const { return *m_pPeer; }

private:
    // CLine
    void Send(const std::vector<std::uint8_t>& bytes) override;
    void HangUp(const std::vector<std::uint8_t>& lastBytes) override
    {
        m_bHangUp = true;
        m_lastBytes = lastBytes;
    }

    CSimOptions m_options;
    CClock& m_clock;
    CPseudoTerminal m_terminal;
    std::ofstream m_transcriptFile;
    std::unique_ptr<CTranscript> m_pTranscript;
    std::unique_ptr<CDownloadPeer> m_pPeer;
    std::unique_ptr<CDisplayDecoder> m_pDecoder;
    std::unique_ptr<CByteRouter> m_pRouter;
    bool m_bHangUp = false;
    std::vector<std::uint8_t> m_lastBytes; // sent just before the hang-up
    bool m_bPortFileWritten = false;
};
