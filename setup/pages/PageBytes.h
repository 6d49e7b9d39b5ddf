#pragma once

#include "CharacterScreens.h"
#include "Clock.h"
#include "DataExchange.h"
#include "Polelink.h"
#include "UserInterface.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

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

// The code table the display starts in; the text pages convert to it.
inline constexpr const char* kDisplayStartCodeTable = "PC437";

// What one page did to the display that others must know: the code table
// the Settings page last selected there (kept by the display across ESC @),
// which the text the Diagnostic page sends is converted to.
struct CDisplayState
{
    std::string m_strCodeTable = kDisplayStartCodeTable;
};

// Tells the user once which characters of strUtf8 the code table lacks.
void ReportMissingCharacters(CUserInterface& ui, const std::string& strUtf8,
                             const std::string& strCodeTable);

// An editable combo's item: the chosen index when there is one, else the
// index of the typed text among items. A typed text that is no item is
// answered with a message naming the items, and gives -1.
int TypedOrChosenIndex(CControlAccess& controls, CUserInterface& ui, int nId, int nChosen,
                       const std::vector<std::string>& items);
