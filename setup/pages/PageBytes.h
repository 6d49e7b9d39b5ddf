#pragma once

#include "CharacterScreens.h"
#include "Clock.h"
#include "Polelink.h"

#include <cstdint>
#include <initializer_list>
#include <string>

// Byte sequences more than one page sends to the display through the serial
// library, each block in one WirteStrData call.

// One WirteStrData call with exactly these bytes.
void SendBytes(CPolelink& polelink, std::initializer_list<std::uint8_t> bytes);
// One WirteStrData call with the first nMaxBytes bytes of the text (all of
// a shorter one; an empty text is a call of length 0). The cut is by
// bytes: a character of several bytes may be cut in half, which is what the
// display gets from these pages.
void SendText(CPolelink& polelink, const std::string& strText, std::size_t nMaxBytes);

// The display's self test, 1F 40.
void SendSelfTest(CPolelink& polelink);

// The character screens: the clear command 0C, then screens of at most 40
// consecutive character codes (two lines of 20) from nFirst to nLast, each
// after a pause of kScreenPause and another 0C, so the user can read one
// screen before the next replaces it.
void SendCharacterScreens(CPolelink& polelink, CClock& clock, std::uint8_t nFirst,
                          std::uint8_t nLast);
// 0x20 to 0x7F in three screens (40, 40, 16 codes).
void SendInternationalScreens(CPolelink& polelink, CClock& clock);
// 0x80 to 0xFF in four screens (40, 40, 40, 8 codes).
void SendCodeTableScreens(CPolelink& polelink, CClock& clock);

inline constexpr std::uint8_t kClearCommand = 0x0C;
