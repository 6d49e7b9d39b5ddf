#pragma once

// The editor's commands keep their numbers (57600 New, 32772 Download, ...);
// wx takes ids below 32767 only, so commands from 32768 up go by their
// number less 30000 there (New is 27600). Control ids are below 32768 and
// stay as they are.
inline constexpr int kWxCommandOffset = 30000;

constexpr int WxCommandId(int nCommand)
{
    return nCommand >= 0x8000 ? nCommand - kWxCommandOffset : nCommand;
}

constexpr int CommandFromWxId(int nWxId)
{
    return nWxId >= 0x8000 - kWxCommandOffset ? nWxId + kWxCommandOffset : nWxId;
}
