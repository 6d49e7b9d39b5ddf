#include "Simulator.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <unistd.h>

CSimulator::CSimulator(CSimOptions options, CClock& clock)
    : m_options(std::move(options)), m_clock(clock)
{
}

CSimulator::~CSimulator()
{
    m_pRouter.reset();
    m_pDecoder.reset(); // reports what it still holds
    if (m_bPortFileWritten)
        std::remove(m_options.m_strPortFile.c_str());
}

std::string CSimulator::PortSetting() const
{
    return "VFDKIT_COM" + std::to_string(m_options.m_nPort) + "=" + m_terminal.DevicePath();
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
    if (!m_terminal.Open(strError))
        return false;
    m_pTranscript = std::make_unique<CTranscript>(
        m_options.m_strTranscript.empty() ? nullptr : &m_transcriptFile, m_clock);
    m_pPeer = std::make_unique<CDownloadPeer>(static_cast<CLine&>(*this), *m_pTranscript,
                                              m_options.m_faults, m_options.m_strSaveFont);
    m_pDecoder = std::make_unique<CPlainDecoder>(*m_pTranscript);
    m_pRouter = std::make_unique<CByteRouter>(*m_pPeer, *m_pDecoder);

    CJsonObject start;
    start.Add("event", "start").Add("port", m_options.m_nPort).Add("device", DevicePath());
    if (m_options.m_faults.m_fault != CDownloadFaults::EFault::None)
        start.Add("fault", FaultName(m_options.m_faults.m_fault))
            .Add("at_frame", m_options.m_faults.m_nAtFrame)
            .Add("value", m_options.m_faults.m_nValue);
    m_pTranscript->Write(start);
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
    if (!m_terminal.Write(bytes))
        m_pTranscript->Write(
            CJsonObject().Add("event", "error").Add("text", "the line does not take the reply"));
}

int CSimulator::Run(int nStopFd)
{
    using namespace std::chrono;
    const milliseconds idle(m_options.m_nIdleMs);
    bool bQuietPending = false; // bytes came since the line was last quiet
    CClock::Duration lastByte{0};
    const char* pszReason = "signal";
    for (;;)
    {
        int nWaitMs = -1; // nothing pending: sleep until a byte or a signal
        if (bQuietPending)
        {
            const auto left = duration_cast<milliseconds>(lastByte + idle - m_clock.Now());
            nWaitMs = static_cast<int>(std::max<long long>(0, left.count() + 1));
        }
        pollfd fds[2] = {{m_terminal.MasterFd(), POLLIN, 0}, {nStopFd, POLLIN, 0}};
        const int nReady = ::poll(fds, nStopFd >= 0 ? 2 : 1, nWaitMs);
        if (nReady < 0 && errno != EINTR)
        {
            pszReason = "poll failed";
            break;
        }
        if (nStopFd >= 0 && (fds[1].revents & POLLIN))
            break;
        if (fds[0].revents & POLLIN)
        {
            std::uint8_t buffer[4096];
            const long long nRead = m_terminal.Read(buffer, sizeof buffer);
            if (nRead < 0)
            {
                pszReason = "the line failed";
                break;
            }
            if (nRead > 0)
            {
                m_pRouter->Feed(buffer, static_cast<std::size_t>(nRead));
                lastByte = m_clock.Now();
                bQuietPending = true;
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
            m_terminal.HangUp(m_lastBytes, milliseconds(10'000));
            pszReason = "hang-up";
            break;
        }
        if (bQuietPending && m_clock.Now() - lastByte >= idle)
        {
            bQuietPending = false;
            m_pRouter->OnIdle();
            m_terminal.ReleaseStaleExclusive();
        }
    }
    m_pRouter->OnIdle();
    m_pTranscript->Write(CJsonObject().Add("event", "stop").Add("reason", pszReason));
    m_terminal.Close();
    return 0;
}
