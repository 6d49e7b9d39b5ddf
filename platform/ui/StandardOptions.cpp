#include "StandardOptions.h"

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
