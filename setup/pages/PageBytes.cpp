#include "PageBytes.h"

#include <algorithm>

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
    ShowCharacterScreens(
        nFirst, nLast, clock, [&polelink] { SendBytes(polelink, {kClearCommand}); },
        [&polelink](const std::uint8_t* pCodes, std::size_t nCount) {
            polelink.WirteStrData(reinterpret_cast<const char*>(pCodes), static_cast<int>(nCount));
        });
}

void SendInternationalScreens(CPolelink& polelink, CClock& clock)
{
    SendCharacterScreens(polelink, clock, 0x20, 0x7F);
}

void SendCodeTableScreens(CPolelink& polelink, CClock& clock)
{
    SendCharacterScreens(polelink, clock, 0x80, 0xFF);
}
