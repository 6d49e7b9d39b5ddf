#pragma once

#include <string>

// Text typed on the desktop (UTF-8) as the display reads it: one byte per
// character in its selected code table.
struct CDisplayText
{
    std::string m_strBytes;   // one byte per character, '?' where the table has none
    std::string m_strMissing; // the characters the table lacks, each once, as typed
};

// The iconv name of a code table list item ("PC437" -> "CP437"); tables
// iconv does not know (Slavonic, user-defined) fall back to ASCII.
std::string IconvCodeTable(const std::string& strItem);

// strUtf8 converted to the code table strItem. Bytes that are not UTF-8
// count as missing characters too.
CDisplayText ToDisplayText(const std::string& strUtf8, const std::string& strItem);

// The message that names the characters a text lost.
std::string MissingCharactersMessage(const std::string& strMissing);
