#pragma once

#include "Clock.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

// Two display lines of 20 characters.
inline constexpr unsigned kScreenCharacters = 40;
// Long enough to read one screen before the next replaces it.
inline constexpr std::chrono::milliseconds kScreenPause{1000};

// The character codes nFirst to nLast as screens of at most 40 consecutive
// codes: a clear first, then for each screen a pause, a clear and the codes.
// The programs clear and send each in their own way.
void ShowCharacterScreens(std::uint8_t nFirst, std::uint8_t nLast, CClock& clock,
                          const std::function<void()>& clear,
                          const std::function<void(const std::uint8_t*, std::size_t)>& send);
