#pragma once

#include <cstdint>
#include <string>

// The display's own character sets: what a code shows when no downloaded
// glyph stands in for it. Codes 0x20 to 0x7F are ASCII with a dozen places
// replaced by the international character set in force (1B 52 n); codes
// 0x80 to 0xFF come from the code table in force (1B 74 n).

// The numbering of the code tables differs between the models; the
// international sets are numbered alike on all of them.
enum class EDisplayModel
{
    VF620,
    VF730
};

const char* ModelName(EDisplayModel model);

// The international set n, or nullptr when the display has none of that
// number. 0x0D "User Defined" and 0x0F (the downloaded set) select the
// downloaded glyphs of area 0.
const char* CharacterSetName(std::uint8_t nSet);
// The code table n of the model, or nullptr when it has none. 0x0F selects
// the downloaded glyphs of area 1.
const char* CodeTableName(EDisplayModel model, std::uint8_t nTable);

inline constexpr std::uint8_t kUserDefinedSet = 0x0D;
inline constexpr std::uint8_t kDownloadedSet = 0x0F;
inline constexpr std::uint8_t kUserDefinedTable = 0x0F;

bool SetUsesDownloadedGlyphs(std::uint8_t nSet);
bool TableUsesDownloadedGlyphs(std::uint8_t nTable);

// The Unicode character the display's built-in font shows for a code (0x20
// to 0xFF) under the given set and table; 0 for a code the table leaves
// empty. Control codes show nothing.
char32_t BuiltInCharacter(std::uint8_t nCode, std::uint8_t nSet, std::uint8_t nTable,
                          EDisplayModel model);

// UTF-8 of a character, for the text screen.
std::string Utf8(char32_t c);
