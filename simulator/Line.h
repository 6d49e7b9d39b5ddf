#pragma once

#include <cstdint>
#include <vector>

// The simulator's side of the serial line, as the display's logic sees it.
class CLine
{
public:
    virtual ~CLine() = default;

    virtual void Send(const std::vector<std::uint8_t>& bytes) = 0;
    // Sends the last bytes and then drops the line as an unplugged cable
    // would: the other end reads those bytes, and its next write fails.
    // The simulator ends after it.
    virtual void HangUp(const std::vector<std::uint8_t>& lastBytes) = 0;
};
