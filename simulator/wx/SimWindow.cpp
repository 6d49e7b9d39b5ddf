#include "SimWindow.h"

#include "DisplayView.h"
#include "Simulator.h"

#include <atomic>
#include <thread>
#include <unistd.h>

#include <wx/wx.h>

namespace
{
using EFault = CDownloadFaults::EFault;

// The faults the menu offers, with the value each uses.
struct CFaultChoice
{
    EFault m_fault;
    unsigned m_nValue;
};
constexpr CFaultChoice kFaultChoices[] = {
    {EFault::None, 0},        {EFault::BadHeader, 0},  {EFault::BadLength, 0}, {EFault::BadKey, 0},
    {EFault::BadChecksum, 0}, {EFault::Status, 3},     {EFault::Abort, 0},     {EFault::Repeat, 2},
    {EFault::Silence, 0},     {EFault::ShortReply, 2}, {EFault::LongReply, 3}, {EFault::HangUp, 0}};
constexpr int kFaultMenuId = wxID_HIGHEST + 100;
int s_nStatus = 0;

class CSimFrame final : public wxFrame
{
public:
    // The loop stops when nStopFd becomes readable; closing the window writes
    // to nStopWriteFd, its other end.
    CSimFrame(CSimulator& simulator, int nStopFd, int nStopWriteFd)
        : wxFrame(nullptr, wxID_ANY, "vfdsim", wxDefaultPosition, wxSize(900, 420)),
          m_simulator(simulator), m_nStopFd(nStopFd), m_nStopWriteFd(nStopWriteFd),
          m_live([this] { OnPublished(); })
    {
        auto* pFile = new wxMenu;
        pFile->Append(wxID_EXIT, "&Quit\tCtrl+Q");
        auto* pFaults = new wxMenu;
        for (std::size_t i = 0; i < std::size(kFaultChoices); ++i)
            pFaults->AppendRadioItem(kFaultMenuId + static_cast<int>(i),
                                     FaultName(kFaultChoices[i].m_fault));
        const EFault current = simulator.Options().m_faults.m_fault;
        for (std::size_t i = 0; i < std::size(kFaultChoices); ++i)
            if (kFaultChoices[i].m_fault == current)
                pFaults->Check(kFaultMenuId + static_cast<int>(i), true);
        auto* pBar = new wxMenuBar;
        pBar->Append(pFile, "&File");
        pBar->Append(pFaults, "F&aults");
        SetMenuBar(pBar);

        auto* pPanel = new wxPanel(this);
        m_pView = new CDisplayView(pPanel, simulator.Font());
        const std::string& strLink = simulator.Options().m_strLink;
        m_pPort = new wxStaticText(pPanel, wxID_ANY,
                                   simulator.DevicePath() +
                                       (strLink.empty() ? "" : ", linked as " + strLink));
        m_pCounters = new wxStaticText(pPanel, wxID_ANY, "");
        m_pFault = new wxStaticText(pPanel, wxID_ANY, "");
        m_pProgress = new wxGauge(pPanel, wxID_ANY, 1000, wxDefaultPosition, wxSize(200, -1));
        m_pProgressLabel = new wxStaticText(pPanel, wxID_ANY, "no download");
        m_pTail = new wxTextCtrl(pPanel, wxID_ANY, "", wxDefaultPosition, wxSize(-1, 140),
                                 wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
        m_pTail->SetFont(wxFont(wxFontInfo(9).Family(wxFONTFAMILY_TELETYPE)));

        auto* pInfo = new wxBoxSizer(wxVERTICAL);
        pInfo->Add(new wxStaticText(pPanel, wxID_ANY, "Port"));
        pInfo->Add(m_pPort, 0, wxBOTTOM, 6);
        pInfo->Add(m_pCounters, 0, wxBOTTOM, 6);
        pInfo->Add(m_pFault, 0, wxBOTTOM, 6);
        pInfo->Add(m_pProgressLabel);
        pInfo->Add(m_pProgress, 0, wxEXPAND);
        auto* pBelow = new wxBoxSizer(wxHORIZONTAL);
        pBelow->Add(pInfo, 0, wxALL, 6);
        pBelow->Add(m_pTail, 1, wxEXPAND | wxALL, 6);
        auto* pSizer = new wxBoxSizer(wxVERTICAL);
        pSizer->Add(m_pView, 1, wxEXPAND);
        pSizer->Add(pBelow, 0, wxEXPAND);
        pPanel->SetSizer(pSizer);

        Bind(
            wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_EXIT);
        Bind(wxEVT_MENU, &CSimFrame::OnFault, this, kFaultMenuId,
             kFaultMenuId + static_cast<int>(std::size(kFaultChoices)) - 1);
        Bind(wxEVT_CLOSE_WINDOW, &CSimFrame::OnClose, this);
        m_blink.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { m_pView->Tick(); });
        m_blink.Start(25);

        m_simulator.AttachLive(m_live);
        ShowState(m_live.Latest());
        m_thread = std::thread(
            [this]
            {
                s_nStatus = m_simulator.Run(m_nStopFd);
                m_bEnded = true;
                // The line dropped or a signal came: the window goes too.
                CallAfter([this] { Close(true); });
            });
    }

private:
    // On the simulator's thread: only wake the window, once per batch.
    void OnPublished()
    {
        if (!m_bPosted.exchange(true))
            CallAfter(
                [this]
                {
                    m_bPosted = false;
                    ShowState(m_live.Latest());
                });
    }

    void ShowState(const CLiveState& state)
    {
        m_pView->SetState(state);
        m_pCounters->SetLabel(wxString::Format("bytes %llu\ncommands %llu\nframes %llu",
                                               static_cast<unsigned long long>(state.m_nBytes),
                                               static_cast<unsigned long long>(state.m_nCommands),
                                               static_cast<unsigned long long>(state.m_nFrames)));
        m_pFault->SetLabel("fault: " + state.m_strFault);
        if (state.m_bDownloading && state.m_nAnnounced > 0)
        {
            m_pProgress->SetValue(static_cast<int>(1000 * state.m_nReceived / state.m_nAnnounced));
            m_pProgressLabel->SetLabel(wxString::Format("download %zu of %zu bytes",
                                                        state.m_nReceived, state.m_nAnnounced));
        }
        else
        {
            m_pProgress->SetValue(0);
            m_pProgressLabel->SetLabel("no download");
        }
        wxString tail;
        for (const auto& line : state.m_tail)
            tail += wxString::FromUTF8(line) + "\n";
        if (tail != m_pTail->GetValue())
        {
            m_pTail->ChangeValue(tail);
            m_pTail->ShowPosition(m_pTail->GetLastPosition());
        }
    }

    void OnFault(wxCommandEvent& event)
    {
        const auto& choice = kFaultChoices[event.GetId() - kFaultMenuId];
        m_live.RequestFault({choice.m_fault, 0, choice.m_nValue});
    }

    void OnClose(wxCloseEvent&)
    {
        m_blink.Stop();
        if (!m_bEnded)
        {
            // Stops the loop as a signal would.
            const char c = 1;
            [[maybe_unused]] const auto n = ::write(m_nStopWriteFd, &c, 1);
        }
        if (m_thread.joinable())
            m_thread.join();
        Destroy();
    }

    CSimulator& m_simulator;
    int m_nStopFd;
    int m_nStopWriteFd;
    CLiveScreen m_live;
    std::thread m_thread;
    std::atomic<bool> m_bPosted{false};
    std::atomic<bool> m_bEnded{false};
    CDisplayView* m_pView = nullptr;
    wxStaticText* m_pPort = nullptr;
    wxStaticText* m_pCounters = nullptr;
    wxStaticText* m_pFault = nullptr;
    wxGauge* m_pProgress = nullptr;
    wxStaticText* m_pProgressLabel = nullptr;
    wxTextCtrl* m_pTail = nullptr;
    wxTimer m_blink;
};

class CSimApp final : public wxApp
{
public:
    CSimApp(CSimulator& simulator, int nStopFd, int nStopWriteFd)
        : m_simulator(simulator), m_nStopFd(nStopFd), m_nStopWriteFd(nStopWriteFd)
    {
    }
    bool OnInit() override
    {
        auto* pFrame = new CSimFrame(m_simulator, m_nStopFd, m_nStopWriteFd);
        pFrame->SetTitle("vfdsim " + m_simulator.DevicePath());
        pFrame->wxFrame::Show();
        return true;
    }

private:
    CSimulator& m_simulator;
    int m_nStopFd;
    int m_nStopWriteFd;
};
} // namespace

int RunSimWindow(int argc, char** argv, CSimulator& simulator, int nStopFd, int nStopWriteFd)
{
    wxApp::SetInstance(new CSimApp(simulator, nStopFd, nStopWriteFd));
    const int nStatus = wxEntry(argc, argv);
    return nStatus != 0 ? nStatus : s_nStatus;
}
