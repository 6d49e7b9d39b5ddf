#include "StandardOptions.h"

#include <charconv>
#include <cstdio>
#include <cstring>

std::string VersionLine(const char* pszName)
{
    return std::string(pszName) + " " VFDKIT_VERSION;
}

std::optional<int> AnswerStandardOptions(int argc, const char* const* argv,
                                         const CProgramInfo& info)
{
    for (int i = 1; i < argc; ++i)
    {
        // A file may be named "--help" after "--": it is then no option.
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
        {
            std::fputs(info.m_pszUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0)
        {
            std::printf("%s\n", VersionLine(info.m_pszName).c_str());
            return 0;
        }
    }
    return std::nullopt;
}

std::optional<long long> ParseCommandLineInteger(const std::string& strText)
{
    std::string_view text = strText;
    bool bNegative = false;
    if (!text.empty() && text.front() == '-')
    {
        bNegative = true;
        text.remove_prefix(1);
    }
    int nBase = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    {
        nBase = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    long long nValue = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), nValue, nBase);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return bNegative ? -nValue : nValue;
}
