#include "DisplayCommands.h"

#include <algorithm>
#include <vector>

void SendBytes(CPolelink& polelink, std::initializer_list<std::uint8_t> bytes)
{
    polelink.WirteStrData(reinterpret_cast<const char*>(bytes.begin()),
                          static_cast<int>(bytes.size()));
}

void SendText(CPolelink& polelink, const std::string& strText, std::size_t nMaxBytes)
{
    const std::size_t nCount = std::min(strText.size(), nMaxBytes);
    polelink.WirteStrData(strText.data(), static_cast<int>(nCount));
}

void SendSelfTest(CPolelink& polelink)
{
    SendBytes(polelink, {0x1F, 0x40});
}

void SendCharacterScreens(CPolelink& polelink, CClock& clock, std::uint8_t nFirst,
                          std::uint8_t nLast)
{
    SendBytes(polelink, {kClearCommand});
    for (int nCode = nFirst; nCode <= nLast; nCode += kScreenCharacters)
    {
        const int nEnd = std::min<int>(nCode + kScreenCharacters - 1, nLast);
        std::vector<char> screen;
        for (int c = nCode; c <= nEnd; ++c)
            screen.push_back(static_cast<char>(c));
        clock.Sleep(kScreenPause);
        SendBytes(polelink, {kClearCommand});
        polelink.WirteStrData(screen.data(), static_cast<int>(screen.size()));
    }
}

void SendInternationalScreens(CPolelink& polelink, CClock& clock)
{
    SendCharacterScreens(polelink, clock, 0x20, 0x7F);
}

void SendCodeTableScreens(CPolelink& polelink, CClock& clock)
{
    SendCharacterScreens(polelink, clock, 0x80, 0xFF);
}
