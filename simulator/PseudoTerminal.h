#pragma once

#include "LineEnd.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The display's end of a virtual serial line: the master side of a
// pseudo-terminal whose slave device the tools open as a COM port.
//
// The simulator keeps a descriptor of the slave open itself. Without it the
// master reports a hang-up whenever no tool has the port open, and poll()
// would spin; with it the line looks idle, as a cable with nobody talking.
class CPseudoTerminal final : public CLineEnd
{
public:
    CPseudoTerminal() = default;
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;
    ~CPseudoTerminal() override { Close(); }

    // Creates the pair and puts the line in raw mode. False with the cause.
    bool Open(std::string& strError) override;
    void Close();
    bool IsOpen() const { return m_nMaster >= 0; }

    // The device the tools open, "/dev/pts/N".
    int PollFd() const override { return m_nMaster; }

    // What has arrived from the tools (empty when nothing); -1 on failure.
    // The rate a tool set on its end is reported as it changes.
    long long Read(std::uint8_t* pBuffer, std::size_t nCount) override;
    // Sends bytes to the tools; false when the line failed.
    bool Write(const std::vector<std::uint8_t>& bytes) override;

    // Sends the last bytes and drops the line so that the tool's next write
    // fails. The tool's output is stopped before the bytes go out, so a
    // write it starts after reading them waits until the hang-up fails it;
    // the line is dropped only once the tool has read them (a hang-up
    // discards unread input), or after maxWait.
    void HangUp(const std::vector<std::uint8_t>& lastBytes,
                std::chrono::milliseconds maxWait) override;
    // A rate set after the last bytes shows once the line is quiet.
    void OnQuiet() override
    {
        ReleaseStaleExclusive();
        ReportRate();
    }

    // A tool that died holding the port leaves the terminal marked
    // exclusive, which locks out every later user but root. When nobody
    // holds the port's lock any more, the mark is cleared.
    void ReleaseStaleExclusive();

private:
    void ReportRate();

    int m_nMaster = -1;
    int m_nSlave = -1; // ours, kept open; never read
};
