#include "CharacterSets.h"

#include <array>
#include <cstring>
#include <iconv.h>
#include <map>
#include <mutex>

namespace
{
// The places an international set replaces, in this order.
constexpr std::uint8_t kNationalCodes[12] = {0x23, 0x24, 0x40, 0x5B, 0x5C, 0x5D,
                                             0x5E, 0x60, 0x7B, 0x7C, 0x7D, 0x7E};

struct CInternationalSet
{
    const char* m_pszName;
    char32_t m_chars[12]; // for kNationalCodes
};

// The national variants of ASCII as customer displays carry them; Slavonic
// is the Yugoslav variant, Hebrew puts the letters at 0x60 to 0x7A instead
// (handled apart).
constexpr CInternationalSet s_sets[] = {
    {"USA", {U'#', U'$', U'@', U'[', U'\\', U']', U'^', U'`', U'{', U'|', U'}', U'~'}},
    {"France", {U'#', U'$', U'à', U'°', U'ç', U'§', U'^', U'`', U'é', U'ù', U'è', U'¨'}},
    {"Germany", {U'#', U'$', U'§', U'Ä', U'Ö', U'Ü', U'^', U'`', U'ä', U'ö', U'ü', U'ß'}},
    {"U.K", {U'£', U'$', U'@', U'[', U'\\', U']', U'^', U'`', U'{', U'|', U'}', U'~'}},
    {"Denmark I", {U'#', U'$', U'@', U'Æ', U'Ø', U'Å', U'^', U'`', U'æ', U'ø', U'å', U'~'}},
    {"Sweden", {U'#', U'¤', U'É', U'Ä', U'Ö', U'Å', U'Ü', U'é', U'ä', U'ö', U'å', U'ü'}},
    {"Italy", {U'#', U'$', U'@', U'°', U'\\', U'é', U'^', U'ù', U'à', U'ò', U'è', U'ì'}},
    {"Spain", {U'₧', U'$', U'@', U'¡', U'Ñ', U'¿', U'^', U'`', U'¨', U'ñ', U'}', U'~'}},
    {"Japan", {U'#', U'$', U'@', U'[', U'¥', U']', U'^', U'`', U'{', U'|', U'}', U'~'}},
    {"Norway", {U'#', U'¤', U'É', U'Æ', U'Ø', U'Å', U'Ü', U'é', U'æ', U'ø', U'å', U'ü'}},
    {"Denmark II", {U'#', U'$', U'É', U'Æ', U'Ø', U'Å', U'Ü', U'é', U'æ', U'ø', U'å', U'ü'}},
    {"Slavonic", {U'#', U'$', U'Ž', U'Š', U'Đ', U'Ć', U'Č', U'ž', U'š', U'đ', U'ć', U'č'}},
    {"Hebrew", {U'#', U'$', U'@', U'[', U'\\', U']', U'^', U'`', U'{', U'|', U'}', U'~'}},
    {"User Defined", {U'#', U'$', U'@', U'[', U'\\', U']', U'^', U'`', U'{', U'|', U'}', U'~'}},
    {"Reserved", {U'#', U'$', U'@', U'[', U'\\', U']', U'^', U'`', U'{', U'|', U'}', U'~'}},
    {"Downloaded", {U'#', U'$', U'@', U'[', U'\\', U']', U'^', U'`', U'{', U'|', U'}', U'~'}},
};
constexpr std::uint8_t kHebrewSet = 12;

struct CCodeTable
{
    const char* m_pszName;
    const char* m_pszCharset; // iconv's name; nullptr: the downloaded table
};

// Indexed by the table number; an empty name is no table.
constexpr CCodeTable s_vf620Tables[16] = {
    {"PC437", "IBM437"},
    {"PC850", "IBM850"},
    {"PC866", "IBM866"},
    {"PC737", "CP737"},
    {"PC862", "IBM862"},
    {"PC10 for TM55-08", "IBM437"},
    {"PC864", "IBM864"},
    {"PC852", "IBM852"},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"User Defined", nullptr},
};
constexpr CCodeTable s_vf730Tables[16] = {
    {"PC437", "IBM437"}, {"PC850", "IBM850"},    {"PC866", "IBM866"}, {"PC1254", "CP1254"},
    {"PC862", "IBM862"}, {"PC860", "IBM860"},    {"PC864", "IBM864"}, {"PC1257", "CP1257"},
    {"PC737", "CP737"},  {"PC1252", "CP1252"},   {"PC852", "IBM852"}, {"PC858", "IBM858"},
    {"PC863", "IBM863"}, {"Slavonic", "IBM852"}, {"PC865", "IBM865"}, {"User Defined", nullptr},
};

const CCodeTable* Table(EDisplayModel model, std::uint8_t nTable)
{
    if (nTable >= 16)
        return nullptr;
    const CCodeTable& table =
        (model == EDisplayModel::VF620 ? s_vf620Tables : s_vf730Tables)[nTable];
    return *table.m_pszName ? &table : nullptr;
}

using CUpperHalf = std::array<char32_t, 128>;

// 0x80 to 0xFF of a code page, through the C library's converters; empty
// places (and a converter the system lacks) give 0.
CUpperHalf ConvertUpperHalf(const char* pszCharset)
{
    CUpperHalf chars{};
    const iconv_t cd = ::iconv_open("UTF-32LE", pszCharset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return chars;
    for (int i = 0; i < 128; ++i)
    {
        char cIn = static_cast<char>(0x80 + i);
        unsigned char out[8] = {};
        char* pIn = &cIn;
        char* pOut = reinterpret_cast<char*>(out);
        std::size_t nIn = 1, nOut = sizeof out;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (::iconv(cd, &pIn, &nIn, &pOut, &nOut) == static_cast<std::size_t>(-1) ||
            nOut != sizeof out - 4)
            continue;
        chars[i] = static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
    }
    ::iconv_close(cd);
    return chars;
}

const CUpperHalf& UpperHalf(const char* pszCharset)
{
    static std::mutex s_mutex;
    static std::map<std::string, CUpperHalf> s_tables;
    const std::lock_guard lock(s_mutex);
    auto it = s_tables.find(pszCharset);
    if (it == s_tables.end())
        it = s_tables.emplace(pszCharset, ConvertUpperHalf(pszCharset)).first;
    return it->second;
}
} // namespace

const char* ModelName(EDisplayModel model)
{
    return model == EDisplayModel::VF620 ? "VF620" : "VF730";
}

const char* CharacterSetName(std::uint8_t nSet)
{
    return nSet < std::size(s_sets) ? s_sets[nSet].m_pszName : nullptr;
}

const char* CodeTableName(EDisplayModel model, std::uint8_t nTable)
{
    const CCodeTable* pTable = Table(model, nTable);
    return pTable ? pTable->m_pszName : nullptr;
}

bool SetUsesDownloadedGlyphs(std::uint8_t nSet)
{
    return nSet == kUserDefinedSet || nSet == kDownloadedSet;
}

bool TableUsesDownloadedGlyphs(std::uint8_t nTable)
{
    return nTable == kUserDefinedTable;
}

char32_t BuiltInCharacter(std::uint8_t nCode, std::uint8_t nSet, std::uint8_t nTable,
                          EDisplayModel model)
{
    if (nCode < 0x20)
        return 0;
    if (nCode < 0x80)
    {
        if (nCode == 0x7F)
            return U'⌂';
        if (nSet == kHebrewSet && nCode >= 0x60 && nCode <= 0x7A)
            return U'א' + (nCode - 0x60);
        if (nSet < std::size(s_sets))
            for (int i = 0; i < 12; ++i)
                if (kNationalCodes[i] == nCode)
                    return s_sets[nSet].m_chars[i];
        return nCode;
    }
    const CCodeTable* pTable = Table(model, nTable);
    // The downloaded table shows the display's first table where it has no
    // glyph of its own.
    const char* pszCharset = pTable && pTable->m_pszCharset ? pTable->m_pszCharset : "IBM437";
    return UpperHalf(pszCharset)[nCode - 0x80];
}

std::string Utf8(char32_t c)
{
    std::string text;
    if (c < 0x80)
        text += static_cast<char>(c);
    else if (c < 0x800)
    {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    else
    {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    return text;
}
