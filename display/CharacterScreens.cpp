#include "CharacterScreens.h"

#include <algorithm>

void ShowCharacterScreens(std::uint8_t nFirst, std::uint8_t nLast, CClock& clock,
                          const std::function<void()>& clear,
                          const std::function<void(const std::uint8_t*, std::size_t)>& send)
{
    clear();
    for (unsigned nCode = nFirst; nCode <= nLast; nCode += kScreenCharacters)
    {
        std::uint8_t screen[kScreenCharacters];
        const unsigned nCount = std::min(kScreenCharacters, nLast + 1u - nCode);
        for (unsigned i = 0; i < nCount; ++i)
            screen[i] = static_cast<std::uint8_t>(nCode + i);
        clock.Sleep(kScreenPause);
        clear();
        send(screen, nCount);
    }
}
