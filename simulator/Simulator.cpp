#include "Simulator.h"

#include "PseudoTerminal.h"
#include "TcpLineEnd.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

CSimulator::CSimulator(CSimOptions options, CClock& clock)
    : m_options(std::move(options)), m_clock(clock), m_display(m_options.m_model)
{
    if (m_options.m_strListen.empty())
        m_pLine = std::make_unique<CPseudoTerminal>();
    else
        m_pLine = std::make_unique<CTcpLineEnd>(m_options.m_strListen, m_options.m_bRfc2217);
}

CSimulator::~CSimulator()
{
    m_pRouter.reset();
    m_pDecoder.reset(); // reports what it still holds
    if (m_nSendPipe >= 0)
        ::close(m_nSendPipe);
    if (m_bSendPipeMade)
        std::remove(m_options.m_strSendPipe.c_str());
    if (m_bPortFileWritten)
        std::remove(m_options.m_strPortFile.c_str());
    // Only while it is still ours: someone may have put another there.
    std::error_code ec;
    if (m_bLinkMade && std::filesystem::read_symlink(m_options.m_strLink, ec) == DevicePath())
        std::filesystem::remove(m_options.m_strLink, ec);
}

bool CSimulator::MakeLink(std::string& strError)
{
    namespace fs = std::filesystem;
    const std::string& strLink = m_options.m_strLink;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(strLink, ec);
    if (fs::exists(status))
    {
        // A link a vfdsim left behind when it was killed points into
        // /dev/pts at a terminal that is gone, or that is now this one's
        // (the number is reused); a terminal still there may be another
        // vfdsim's or another program's, and is left alone.
        const bool bLink = fs::is_symlink(status);
        const std::string strTarget = bLink ? fs::read_symlink(strLink, ec).string() : "";
        const bool bIntoPts = strTarget.rfind("/dev/pts/", 0) == 0;
        if (!bLink || !bIntoPts || (fs::exists(strTarget, ec) && strTarget != DevicePath()))
        {
            strError = "--link " + strLink +
                       (!bLink     ? " exists and is no link"
                        : bIntoPts ? " links to " + strTarget + ", a terminal in use"
                                   : " links to " + strTarget + ", not to a pseudo-terminal") +
                       ": remove it or choose another path";
            return false;
        }
        fs::remove(strLink, ec);
    }
    fs::create_symlink(DevicePath(), strLink, ec);
    if (ec)
    {
        strError = "--link " + strLink + ": cannot make the link: " + ec.message();
        return false;
    }
    m_bLinkMade = true;
    return true;
}

bool CSimulator::OpenSendPipe(std::string& strError)
{
    const std::string& strPath = m_options.m_strSendPipe;
    struct stat info = {};
    if (::stat(strPath.c_str(), &info) == 0)
    {
        if (!S_ISFIFO(info.st_mode))
        {
            strError = "the send pipe " + strPath + " exists and is no named pipe";
            return false;
        }
    }
    else if (::mkfifo(strPath.c_str(), 0600) != 0)
    {
        strError = "cannot create the send pipe " + strPath + ": " + std::strerror(errno);
        return false;
    }
    else
        m_bSendPipeMade = true;
    // Open for writing too, so that the pipe never reports an end while no
    // writer has it open.
    m_nSendPipe = ::open(strPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (m_nSendPipe < 0)
    {
        strError = "cannot open the send pipe " + strPath + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void CSimulator::ForwardSendPipe()
{
    std::uint8_t buffer[4096];
    const ssize_t nRead = ::read(m_nSendPipe, buffer, sizeof buffer);
    if (nRead <= 0)
        return;
    const std::vector<std::uint8_t> bytes(buffer, buffer + nRead);
    if (m_pLine->Write(bytes))
        m_pTranscript->Write(
            CJsonObject().Add("event", "sent").AddBytes("bytes", bytes.data(), bytes.size()));
    else
        m_pTranscript->Write(CJsonObject()
                                 .Add("event", "error")
                                 .Add("text", "the line does not take the bytes of the send pipe"));
}

void CSimulator::ShowScreen()
{
    m_pDecoder->Settle();
    m_pScreen->Update();
}

std::string CSimulator::PortSetting() const
{
    return "VFDKIT_COM" + std::to_string(m_options.m_nPort) + "=" + DevicePath();
}

bool CSimulator::Start(std::string& strError)
{
    if (!m_options.m_strTranscript.empty())
    {
        m_transcriptFile.open(m_options.m_strTranscript, std::ios::out | std::ios::trunc);
        if (!m_transcriptFile)
        {
            strError = "cannot write the transcript " + m_options.m_strTranscript + ": " +
                       std::strerror(errno);
            return false;
        }
    }
    if (!m_pLine->Open(strError))
        return false;
    m_strDevice = m_pLine->DevicePath();
    m_pTranscript = std::make_unique<CTranscript>(
        m_options.m_strTranscript.empty() ? nullptr : &m_transcriptFile, m_clock);
    m_pLine->OnRate(
        [this](unsigned nRate)
        { m_pTranscript->Write(CJsonObject().Add("event", "line-rate").Add("rate", nRate)); });
    m_pPeer = std::make_unique<CDownloadPeer>(static_cast<CLine&>(*this), *m_pTranscript,
                                              m_options.m_faults, m_options.m_strSaveFont);
    m_pDecoder = std::make_unique<CCommandDecoder>(m_display, *m_pTranscript);
    m_pRouter = std::make_unique<CByteRouter>(*m_pPeer, *m_pDecoder);
    if (!m_options.m_strSendPipe.empty() && !OpenSendPipe(strError))
        return false;
    if (!m_options.m_strLink.empty() && !MakeLink(strError))
        return false;

    CJsonObject start;
    start.Add("event", "start").Add("port", m_options.m_nPort).Add("device", DevicePath());
    if (!m_options.m_strLink.empty())
        start.Add("link", m_options.m_strLink);
    start.Add("model", ModelName(m_options.m_model));
    if (!m_options.m_strScreenPng.empty() || m_options.m_bWindow)
    {
        std::string strFontError;
        m_font = CConsoleFont::Load(m_options.m_strConsoleFont, strFontError);
        if (m_font)
            start.Add("console_font", m_options.m_strConsoleFont);
        else
        {
            m_strWarning = "no console font: " + strFontError +
                           "; the picture shows each character's code in hex";
            start.Add("console_font_error", strFontError);
        }
    }
    m_pScreen =
        std::make_unique<CScreenOutput>(m_display, *m_pTranscript, m_options.m_strScreenText,
                                        m_options.m_strScreenPng, m_font ? &*m_font : nullptr);
    if (m_options.m_faults.m_fault != CDownloadFaults::EFault::None)
        start.Add("fault", FaultName(m_options.m_faults.m_fault))
            .Add("at_frame", m_options.m_faults.m_nAtFrame)
            .Add("value", m_options.m_faults.m_nValue);
    m_pTranscript->Write(start);
    ShowScreen(); // the screen at power-on
    return true;
}

bool CSimulator::Publish(std::ostream& out, std::string& strError)
{
    out << PortSetting() << std::endl;
    if (!m_options.m_strPortFile.empty())
    {
        // Written whole under another name, then renamed: a script waiting
        // for the file never reads half a line.
        const std::string strTemp = m_options.m_strPortFile + ".part";
        {
            std::ofstream file(strTemp, std::ios::trunc);
            file << PortSetting() << "\n";
            if (!file.flush())
            {
                strError = "cannot write the port file " + m_options.m_strPortFile;
                return false;
            }
        }
        std::error_code ec;
        std::filesystem::rename(strTemp, m_options.m_strPortFile, ec);
        if (ec)
        {
            strError =
                "cannot write the port file " + m_options.m_strPortFile + ": " + ec.message();
            return false;
        }
        m_bPortFileWritten = true;
    }

    return true;
}

void CSimulator::Send(const std::vector<std::uint8_t>& bytes)
{
    if (!m_pLine->Write(bytes))
        m_pTranscript->Write(
            CJsonObject().Add("event", "error").Add("text", "the line does not take the reply"));
}

void CSimulator::AttachLive(CLiveScreen& live)
{
    m_pLive = &live;
    m_live.m_strDevice = DevicePath();
    m_pTranscript->SetListener([this](const CJsonObject& entry) { OnTranscript(entry); });
    PublishLive(std::chrono::steady_clock::now());
}

void CSimulator::OnTranscript(const CJsonObject& entry)
{
    if (entry.Get("event") == "frame")
        ++m_live.m_nFrames;
    else if (entry.Has("rx"))
        ++m_live.m_nCommands;
    // The screen itself is what the watcher shows; its entry would only
    // push the commands out of the tail.
    if (entry.Get("event") == "screen")
        return;
    m_live.m_tail.push_back(entry.Readable());
    if (m_live.m_tail.size() > CLiveScreen::kTailLines)
        m_live.m_tail.pop_front();
    m_bLiveDirty = true;
}

void CSimulator::PublishLive(std::chrono::steady_clock::time_point arrived)
{
    if (!m_pLive)
        return;
    const bool bDownloading = m_pPeer->IsActive();
    if (!m_bLiveDirty && m_display.Changes() == m_nLiveChanges &&
        bDownloading == m_live.m_bDownloading &&
        (!bDownloading || m_pPeer->ReceivedBytes() == m_live.m_nReceived))
        return;
    m_bLiveDirty = false;
    m_nLiveChanges = m_display.Changes();
    m_live.m_display = m_display;
    m_live.m_bDownloading = bDownloading;
    m_live.m_nReceived = m_pPeer->ReceivedBytes();
    m_live.m_nAnnounced = m_pPeer->AnnouncedBytes();
    m_live.m_strFault = FaultName(m_pPeer->Faults().m_fault);
    m_live.m_arrived = arrived;
    m_pLive->Publish(m_live);
}

void CSimulator::TakeFaultRequest()
{
    const auto request = m_pLive->TakeFaultRequest();
    if (!request)
        return;
    m_pPeer->SetFault(request->m_fault, request->m_nValue);
    m_pTranscript->Write(CJsonObject()
                             .Add("event", "fault")
                             .Add("fault", FaultName(request->m_fault))
                             .Add("value", request->m_nValue));
    m_bLiveDirty = true;
    PublishLive(std::chrono::steady_clock::now());
}

int CSimulator::Run(int nStopFd)
{
    using namespace std::chrono;
    const milliseconds idle(m_options.m_nIdleMs);
    bool bQuietPending = false;  // bytes came since the line was last quiet
    bool bScreenPending = false; // bytes came since the screen was last shown
    CClock::Duration lastByte{0};
    const char* pszReason = "signal";
    for (;;)
    {
        int nWaitMs = -1; // nothing pending: sleep until a byte or a signal
        auto waitUntil = [&](CClock::Duration until)
        {
            const auto left = duration_cast<milliseconds>(until - m_clock.Now());
            const int nMs = static_cast<int>(std::max<long long>(0, left.count() + 1));
            nWaitMs = nWaitMs < 0 ? nMs : std::min(nWaitMs, nMs);
        };
        if (bQuietPending)
            waitUntil(lastByte + idle);
        if (bScreenPending)
            waitUntil(lastByte + kScreenSettle);
        pollfd fds[4] = {{m_pLine->PollFd(), POLLIN, 0},
                         {nStopFd, POLLIN, 0},
                         {m_nSendPipe, POLLIN, 0},
                         {m_pLive ? m_pLive->WakeFd() : -1, POLLIN, 0}};
        const int nReady = ::poll(fds, 4, nWaitMs); // negative descriptors are left out
        if (nReady < 0 && errno != EINTR)
        {
            pszReason = "poll failed";
            break;
        }
        if (nStopFd >= 0 && (fds[1].revents & POLLIN))
            break;
        if (m_nSendPipe >= 0 && (fds[2].revents & POLLIN))
            ForwardSendPipe();
        if (m_pLive && (fds[3].revents & POLLIN))
            TakeFaultRequest();
        if (fds[0].revents & POLLIN)
        {
            std::uint8_t buffer[4096];
            const long long nRead = m_pLine->Read(buffer, sizeof buffer);
            if (nRead < 0)
            {
                pszReason = "the line failed";
                break;
            }
            if (nRead > 0)
            {
                const auto arrived = std::chrono::steady_clock::now();
                m_live.m_nBytes += static_cast<std::uint64_t>(nRead);
                m_bLiveDirty = true;
                m_pRouter->Feed(buffer, static_cast<std::size_t>(nRead));
                PublishLive(arrived);
                lastByte = m_clock.Now();
                bQuietPending = true;
                bScreenPending = true;
                if (m_options.m_nDropAfter && !m_bHangUp &&
                    m_pDecoder->BytesFed() >= m_options.m_nDropAfter)
                {
                    ShowScreen();
                    m_pTranscript->Write(
                        CJsonObject()
                            .Add("event", "drop")
                            .Add("after_bytes", static_cast<long long>(m_pDecoder->BytesFed())));
                    HangUp({});
                }
            }
        }
        else if (fds[0].revents & (POLLHUP | POLLERR))
        {
            // Only while our own slave is closed; wait instead of spinning.
            ::poll(nullptr, 0, 20);
        }
        if (m_bHangUp)
        {
            m_pTranscript->Write(CJsonObject().Add("event", "hang-up"));
            m_pLine->HangUp(m_lastBytes, milliseconds(10'000));
            pszReason = "hang-up";
            break;
        }
        if (bScreenPending && m_clock.Now() - lastByte >= kScreenSettle)
        {
            bScreenPending = false;
            ShowScreen();
            PublishLive(std::chrono::steady_clock::now());
        }
        if (bQuietPending && m_clock.Now() - lastByte >= idle)
        {
            bQuietPending = false;
            m_pRouter->OnIdle();
            m_pLine->OnQuiet();
            PublishLive(std::chrono::steady_clock::now());
        }
    }
    m_pRouter->OnIdle();
    ShowScreen();
    m_pTranscript->Write(CJsonObject().Add("event", "stop").Add("reason", pszReason));
    m_pLine.reset(); // the tools see the line drop now, not when the simulator goes
    return 0;
}
