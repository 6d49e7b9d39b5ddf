#pragma once

#include "DownloadFaults.h"
#include "VirtualDisplay.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

// What a watcher of the running simulator sees: the display as it now is,
// the counters, the transcript's last lines, the download's progress.
struct CLiveState
{
    CVirtualDisplay m_display;
    std::string m_strDevice;
    std::uint64_t m_nBytes = 0;     // received from the line
    std::uint64_t m_nCommands = 0;  // display commands and text runs decoded
    std::uint64_t m_nFrames = 0;    // download frames received
    std::deque<std::string> m_tail; // the transcript's last entries, readable
    bool m_bDownloading = false;
    std::size_t m_nReceived = 0; // file bytes so far
    std::size_t m_nAnnounced = 0;
    std::string m_strFault; // the fault in force, "none" for none
    std::uint64_t m_nVersion = 0;
    // When the newest byte in this state arrived (steady clock), to measure
    // how soon the watcher shows it.
    std::chrono::steady_clock::time_point m_arrived;
};

// The hand-over between the simulator's thread and a watcher on another
// (the window's): the simulator publishes states, the watcher takes the
// newest when told there is one; the watcher asks for a fault, the
// simulator takes the request between two reads. Both sides only ever hold
// the lock for a copy, so neither waits on the other's work: a download is
// not slowed by painting, and a state the watcher had no time for is simply
// replaced by the next.
class CLiveScreen
{
public:
    static constexpr std::size_t kTailLines = 12;

    // onPublished runs on the simulator's thread after each new state; it
    // must only wake the watcher (post an event), never paint.
    explicit CLiveScreen(std::function<void()> onPublished = {});
    ~CLiveScreen();
    CLiveScreen(const CLiveScreen&) = delete;
    CLiveScreen& operator=(const CLiveScreen&) = delete;

    // Simulator side.
    void Publish(CLiveState state);
    std::optional<CDownloadFaults> TakeFaultRequest();
    // Readable when a request waits, so the simulator's poll() wakes for it.
    int WakeFd() const { return m_fds[0]; }

    // Watcher side.
    CLiveState Latest() const;
    std::uint64_t Version() const;
    void RequestFault(CDownloadFaults faults);

private:
    mutable std::mutex m_mutex;
    CLiveState m_state;
    std::optional<CDownloadFaults> m_faultRequest;
    std::function<void()> m_onPublished;
    int m_fds[2] = {-1, -1};
};
