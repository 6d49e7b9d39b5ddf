#include "DisplayCommands.h"

#include <cstring>

namespace
{
constexpr std::uint8_t STX = 0x02;
constexpr std::uint8_t ETX = 0x03;
constexpr std::uint8_t ESC = 0x1B;
constexpr std::uint8_t US = 0x1F;

// Additions on argument bytes wrap at 256, as the display expects.
std::uint8_t Plus(std::uint8_t nBase, std::int32_t nArgument)
{
    return static_cast<std::uint8_t>(nBase + LowByte(nArgument));
}
} // namespace

std::int32_t CDisplayCommands::InitDisplay()
{
    return Send({ESC, '@'});
}

std::int32_t CDisplayCommands::DisplayModal(std::int32_t n)
{
    return Send({STX, 0x05, 'R', Plus('0', n), ETX});
}

std::int32_t CDisplayCommands::SelectMode(std::int32_t n)
{
    return Send({ESC, Plus(0x10, n)});
}

std::int32_t CDisplayCommands::InitDisplay1()
{
    return Send({STX, 0x05, 'C', '0', ETX});
}

std::int32_t CDisplayCommands::ClearDisplay()
{
    return Send({0x0C});
}

std::int32_t CDisplayCommands::SetDimming(std::int32_t n)
{
    return Send({ESC, '*', LowByte(n)});
}

std::int32_t CDisplayCommands::ClearCursorLine()
{
    return Send({0x18});
}

std::int32_t CDisplayCommands::SetReverse(std::int32_t n)
{
    return Send({ESC, 'r', LowByte(n)});
}

std::int32_t CDisplayCommands::DisplayStrAt(const void* pText, std::uint32_t nLength,
                                            std::int32_t nSelector)
{
    if (nLength > kMaxTextBytes)
        nLength = kMaxTextBytes;
    std::uint8_t nSelectorByte = 0;
    switch (nSelector)
    {
    case 1:
        nSelectorByte = '1';
        break;
    case 2:
        nSelectorByte = '2';
        break;
    case 3:
        nSelectorByte = 'A';
        break;
    case 4:
        nSelectorByte = 'B';
        break;
    case 5:
        nSelectorByte = 'D';
        break;
    default:
        return 0;
    }
    if (!pText && nLength > 0)
        return 0;
    std::uint8_t command[kMaxTextBytes + 4] = {ESC, 'Q', nSelectorByte};
    if (nLength > 0)
        std::memcpy(command + 3, pText, nLength);
    command[3 + nLength] = 0x0D;
    return m_port.SendDStr(command, nLength + 4);
}

std::int32_t CDisplayCommands::MoveCurToLeft()
{
    return Send({0x08});
}

std::int32_t CDisplayCommands::MoveCurToRight()
{
    return Send({0x09});
}

std::int32_t CDisplayCommands::MoveCurDownLine()
{
    return Send({0x0A});
}

std::int32_t CDisplayCommands::MoveCurUpLine()
{
    return Send({US, 0x0A});
}

std::int32_t CDisplayCommands::MoveCurToHome()
{
    return Send({0x0B});
}

std::int32_t CDisplayCommands::MoveCurToMLeft()
{
    return Send({0x0D});
}

std::int32_t CDisplayCommands::MoveCurToMRight()
{
    return Send({US, 0x0D});
}

std::int32_t CDisplayCommands::MoveCurToBottom()
{
    return Send({US, 'B'});
}

std::int32_t CDisplayCommands::MoveCurToSpePosition(std::int32_t a, std::int32_t b)
{
    return Send({US, '$', LowByte(a), LowByte(b)});
}

std::int32_t CDisplayCommands::SetUserFontSet(std::int32_t n)
{
    return Send({ESC, '%', LowByte(n)});
}

std::int32_t CDisplayCommands::SetInterChaSet(std::int32_t n)
{
    return Send({ESC, 'R', LowByte(n)});
}

std::int32_t CDisplayCommands::CancelUserDfont(std::int32_t n)
{
    return Send({ESC, '?', LowByte(n)});
}

std::int32_t CDisplayCommands::SeCanPeriphalDevice(std::int32_t n)
{
    return Send({ESC, '=', LowByte(n)});
}

std::int32_t CDisplayCommands::SelChaCodeTable(std::int32_t n)
{
    return Send({ESC, 't', LowByte(n)});
}

std::int32_t CDisplayCommands::SelectDisMode(std::int32_t n)
{
    return Send({US, LowByte(n)});
}

std::int32_t CDisplayCommands::SetInterForBlink(std::int32_t n)
{
    return Send({US, 'E', LowByte(n)});
}

std::int32_t CDisplayCommands::SetBrightness(std::int32_t n)
{
    return Send({US, 'X', LowByte(n)});
}

std::int32_t CDisplayCommands::SetWarnAtColumn(std::int32_t a, std::int32_t b)
{
    return Send({US, '#', LowByte(a), LowByte(b)});
}

std::int32_t CDisplayCommands::ExeSelfTest()
{
    return Send({US, '@'});
}

std::int32_t CDisplayCommands::DefineUserfont()
{
    return Send({ESC, '&'});
}
