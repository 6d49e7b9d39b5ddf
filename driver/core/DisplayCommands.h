#pragma once

#include "DriverPort.h"

#include <cstdint>

// The display's commands, one handler each: the command's bytes with the
// low bytes of the arguments in place, sent through the paced sender. The
// result is the sender's. Nothing here knows the display's state or checks
// an argument, except DisplayStrAt's length and selector.
class CDisplayCommands
{
public:
    explicit CDisplayCommands(CDriverPort& port) : m_port(port) {}

    // DisplayStrAt shows at most this many text bytes.
    static constexpr std::uint32_t kMaxTextBytes = 20;

    std::int32_t InitDisplay();
    std::int32_t DisplayModal(std::int32_t n);
    std::int32_t SelectMode(std::int32_t n);
    std::int32_t InitDisplay1();
    std::int32_t ClearDisplay();
    std::int32_t SetDimming(std::int32_t n);
    std::int32_t ClearCursorLine();
    std::int32_t SetReverse(std::int32_t n);
    std::int32_t DisplayStrAt(const void* pText, std::uint32_t nLength, std::int32_t nSelector);
    std::int32_t MoveCurToLeft();
    std::int32_t MoveCurToRight();
    std::int32_t MoveCurDownLine();
    std::int32_t MoveCurUpLine();
    std::int32_t MoveCurToHome();
    std::int32_t MoveCurToMLeft();
    std::int32_t MoveCurToMRight();
    std::int32_t MoveCurToBottom();
    std::int32_t MoveCurToSpePosition(std::int32_t a, std::int32_t b);
    std::int32_t SetUserFontSet(std::int32_t n);
    std::int32_t SetInterChaSet(std::int32_t n);
    std::int32_t CancelUserDfont(std::int32_t n);
    std::int32_t SeCanPeriphalDevice(std::int32_t n);
    std::int32_t SelChaCodeTable(std::int32_t n);
    std::int32_t SelectDisMode(std::int32_t n);
    std::int32_t SetInterForBlink(std::int32_t n);
    std::int32_t SetBrightness(std::int32_t n);
    std::int32_t SetWarnAtColumn(std::int32_t a, std::int32_t b);
    std::int32_t ExeSelfTest();
    std::int32_t DefineUserfont();

private:
    template <std::size_t N>
    std::int32_t Send(const std::uint8_t (&command)[N])
    {
        return m_port.SendDStr(command, N);
    }

    CDriverPort& m_port;
};
