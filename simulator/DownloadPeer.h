#pragma once

#include "DownloadFaults.h"
#include "Line.h"
#include "Transcript.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The display firmware's side of the editor's download: a header frame
// announces the file, data frames of at most 250 bytes follow, and each is
// answered with a five-byte reply naming the sequence number wanted next
// (0 once the last frame is in). A frame that fails its checks is asked for
// again.
class CDownloadPeer
{
public:
    CDownloadPeer(CLine& line, CTranscript& transcript, CDownloadFaults faults = {},
                  std::string strSavePath = {});

    // Is the header frame (12 bytes) one that starts a transfer: the right
    // start, length, key and sequence number, and its checksum?
    static bool IsHeaderFrame(const std::uint8_t* pFrame, std::size_t nCount);

    // Starts a transfer with a header frame that passed IsHeaderFrame.
    void Begin(const std::vector<std::uint8_t>& header);
    // Takes bytes from the line while a transfer runs; returns how many it
    // used, fewer than nCount once the transfer has ended (the rest is not
    // the transfer's).
    std::size_t Feed(const std::uint8_t* pData, std::size_t nCount);
    // The line went quiet: a partial frame is dropped, a transfer given up.
    void OnIdle();

    bool IsActive() const { return m_bActive; }
    // The file of the last transfer that ended with its last frame.
    const std::vector<std::uint8_t>& ReceivedFile() const { return m_received; }
    // Counted over the simulator's life.
    unsigned CompletedTransfers() const { return m_nCompleted; }
    // File bytes received so far and announced by the header, while a
    // transfer runs.
    std::size_t ReceivedBytes() const { return m_receiving.size(); }
    std::uint32_t AnnouncedBytes() const { return m_nAnnounced; }
    // A fault chosen while running strikes the next frame (the header of
    // the next transfer when none runs).
    void SetFault(CDownloadFaults::EFault fault, unsigned nValue);
    const CDownloadFaults& Faults() const { return m_faults; }

private:
    void OnFrame(const std::vector<std::uint8_t>& frame);
    void OnHeader(const std::vector<std::uint8_t>& frame);
    void OnBadFrame(const std::vector<std::uint8_t>& frame, const char* pszError);
    // Counts a request for the same frame when the repeat fault is due.
    bool RepeatDue(std::uint8_t nSequence);
    // Replies with that status and moves on: bTaken when the frame was
    // taken, false when the reply asks for it again.
    void Answer(std::uint8_t nStatus, bool bTaken);
    // Sends the reply with that status through this frame's fault; returns
    // the fault that struck.
    CDownloadFaults::EFault Reply(std::uint8_t nStatus);
    void End(const char* pszResult);
    void FlushNoise();
    // True when the file was written.
    bool SaveReceived();

    CLine& m_line;
    CTranscript& m_transcript;
    CDownloadFaults m_faults;
    std::string m_strSavePath;

    bool m_bActive = false;
    std::vector<std::uint8_t> m_pending; // the frame being assembled
    std::vector<std::uint8_t> m_noise;   // bytes between frames
    std::vector<std::uint8_t> m_receiving;
    std::vector<std::uint8_t> m_received;
    std::uint32_t m_nAnnounced = 0;
    unsigned m_nFrame = 0;      // the frame now due, 0 for the header
    std::uint8_t m_nWant = 2;   // the data frame sequence wanted next
    unsigned m_nRepeats = 0;    // requests for the same frame made so far
    bool m_bFaultDone = false;  // the fault has struck in this transfer
    bool m_bAskedAgain = false; // the last reply asked for the same frame
    unsigned m_nCompleted = 0;
};
