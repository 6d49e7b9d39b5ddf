#include "DisplayText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif
#include <string_view>

namespace
{
// The iconv names of the tables vfdsim decodes, by list item.
constexpr std::array<std::pair<std::string_view, const char*>, 19> kIconvNames{{
    {"PC437", "CP437"},
    {"PC850", "CP850"},
    {"PC866", "CP866"},
    {"PC1254", "CP1254"},
    {"PC862", "CP862"},
    {"PC860", "CP860"},
    {"PC864", "CP864"},
    {"PC1257", "CP1257"},
    {"PC737", "CP737"},
    {"PC1252", "CP1252"},
    {"PC852", "CP852"},
    {"PC858", "CP858"},
    {"PC863", "CP863"},
    {"PC865", "CP865"},
    {"PC10 for TM55-08", "ASCII"},
    {"Slavonic", "ASCII"},
    {"User Defined", "ASCII"},
    {"", "CP437"}, // none chosen: the display starts in PC437
    {"ASCII", "ASCII"},
}};

// The length of the UTF-8 sequence led by c, 1 for a stray byte.
std::size_t SequenceLength(unsigned char c)
{
    if (c >= 0xF0 && c < 0xF8)
        return 4;
    if (c >= 0xE0)
        return c < 0xF0 ? 3 : 1;
    if (c >= 0xC2)
        return 2;
    return 1;
}

#ifdef _WIN32
// Windows has no iconv: its own code pages hold the same tables.
class CIconv
{
public:
    explicit CIconv(const std::string& strTo)
        : m_nCodePage(strTo == "ASCII" ? 20127u : static_cast<UINT>(std::stoul(strTo.substr(2))))
    {
        // Code page 858 is 850 with the euro at 0xD5 in place of the dotless
        // i; systems without 858 get it built from 850.
        if (m_nCodePage == 858 && !IsValidCodePage(858))
        {
            m_nCodePage = 850;
            m_bEuroAtD5 = true;
        }
    }
    bool Ok() const { return true; }
    bool Convert(std::string_view character, char& cOut)
    {
        std::array<wchar_t, 4> wide{};
        const int nWide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, character.data(),
                                              static_cast<int>(character.size()), wide.data(), 4);
        if (nWide <= 0)
            return false;
        if (m_bEuroAtD5 && nWide == 1 && (wide[0] == 0x20AC || wide[0] == 0x0131))
        {
            cOut = '\xD5';
            return wide[0] == 0x20AC;
        }
        std::array<char, 8> out{};
        BOOL bDefaultUsed = FALSE;
        const int nOut = WideCharToMultiByte(m_nCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), nWide,
                                             out.data(), 8, nullptr, &bDefaultUsed);
        if (nOut != 1 || bDefaultUsed)
            return false;
        cOut = out[0];
        return true;
    }

private:
    UINT m_nCodePage;
    bool m_bEuroAtD5 = false;
};
#else
class CIconv
{
public:
    explicit CIconv(const std::string& strTo) : m_cd(iconv_open(strTo.c_str(), "UTF-8")) {}
    ~CIconv()
    {
        if (Ok())
            iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;
    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // The one byte for one character, or nothing when the table lacks it.
    bool Convert(std::string_view character, char& cOut)
    {
        char* pIn = const_cast<char*>(character.data());
        std::size_t nIn = character.size();
        std::array<char, 8> out{};
        char* pOut = out.data();
        std::size_t nOut = out.size();
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        const std::size_t nResult = iconv(m_cd, &pIn, &nIn, &pOut, &nOut);
        // glibc counts a character it replaced as irreversible: not shown.
        if (nResult != 0 || nIn != 0 || pOut != out.data() + 1)
            return false;
        cOut = out[0];
        return true;
    }

private:
    iconv_t m_cd;
};
#endif
} // namespace

std::string IconvCodeTable(const std::string& strItem)
{
    for (const auto& [item, pszName] : kIconvNames)
        if (item == strItem)
            return pszName;
    return "ASCII";
}

CDisplayText ToDisplayText(const std::string& strUtf8, const std::string& strItem)
{
    CDisplayText text;
    CIconv converter(IconvCodeTable(strItem));
    for (std::size_t i = 0; i < strUtf8.size();)
    {
        const std::size_t nLength =
            std::min(SequenceLength(static_cast<unsigned char>(strUtf8[i])), strUtf8.size() - i);
        const std::string_view character(strUtf8.data() + i, nLength);
        char c = 0;
        if (converter.Ok() && converter.Convert(character, c))
            text.m_strBytes += c;
        else
        {
            text.m_strBytes += '?';
            if (text.m_strMissing.find(character) == std::string::npos)
                text.m_strMissing += character;
        }
        i += nLength;
    }
    return text;
}

std::string MissingCharactersMessage(const std::string& strMissing)
{
    return "The display's code table has no " + strMissing + ": shown as \"?\".";
}
