#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The display's end of the line the tools reach it by: a pseudo-terminal
// whose slave they open as a serial port, or a TCP port they connect to as
// to a port server's. Destroying it closes it.
class CLineEnd
{
public:
    virtual ~CLineEnd() = default;

    // False with the cause.
    virtual bool Open(std::string& strError) = 0;
    // What the tools open: "/dev/pts/N", "tcp://HOST:PORT", ...
    const std::string& DevicePath() const { return m_strDevice; }
    // Readable when Read has something to do.
    virtual int PollFd() const = 0;
    // What has arrived from the tools (empty when nothing); -1 when the line failed.
    virtual long long Read(std::uint8_t* pBuffer, std::size_t nCount) = 0;
    // Sends bytes to the tools; false when the line failed.
    virtual bool Write(const std::vector<std::uint8_t>& bytes) = 0;
    // Sends the last bytes and drops the line, as an unplugged cable would.
    virtual void HangUp(const std::vector<std::uint8_t>& lastBytes,
                        std::chrono::milliseconds maxWait) = 0;
    // The line has been quiet for a while.
    virtual void OnQuiet() {}

    // Told the line's rate whenever a tool sets another one.
    void OnRate(std::function<void(unsigned)> listener) { m_onRate = std::move(listener); }

protected:
    // Set by Open.
    std::string m_strDevice;

    void RateSet(unsigned nRate)
    {
        if (nRate != m_nLastRate && m_onRate)
            m_onRate(nRate);
        m_nLastRate = nRate;
    }

private:
    std::function<void(unsigned)> m_onRate;
    unsigned m_nLastRate = 0;
};
