#include "RecentFileLabel.h"

#include <vector>

namespace
{
constexpr const char* kEllipsis = "...";

#ifdef _WIN32
bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}
#else
bool IsSeparator(char c)
{
    return c == '/';
}
#endif
} // namespace

std::string AbbreviatePath(const std::string& strPath, std::size_t nMaxLength)
{
    if (strPath.size() <= nMaxLength)
        return strPath;

    // The root ("/", "C:\\") stays; the rest is split into its parts.
    std::size_t nRoot = strPath.size() > 1 && strPath[1] == ':' ? 2 : 0;
    while (nRoot < strPath.size() && IsSeparator(strPath[nRoot]))
        ++nRoot;
    const std::string strRoot = strPath.substr(0, nRoot);
    char cSeparator = '/';
    std::vector<std::string> parts;
    std::size_t nStart = nRoot;
    for (std::size_t i = nRoot; i <= strPath.size(); ++i)
    {
        if (i < strPath.size() && !IsSeparator(strPath[i]))
            continue;
        if (i < strPath.size() && parts.empty())
            cSeparator = strPath[i];
        if (i > nStart)
            parts.push_back(strPath.substr(nStart, i - nStart));
        nStart = i + 1;
    }
    if (parts.size() < 3)
        return strPath; // no folder in the middle to leave out

    // The first folder, then as many of the last parts as fit.
    for (std::size_t k = 2; k < parts.size(); ++k)
    {
        std::string strShort = strRoot + parts.front() + cSeparator + kEllipsis;
        for (std::size_t i = k; i < parts.size(); ++i)
            strShort += cSeparator + parts[i];
        if (strShort.size() <= nMaxLength)
            return strShort;
    }
    return strRoot + kEllipsis + cSeparator + parts.back();
}

std::string RecentFileLabel(std::size_t nIndex, const std::string& strPath, std::size_t nMaxLength)
{
    std::string strLabel = "&" + std::to_string(nIndex + 1) + " ";
    for (const char c : AbbreviatePath(strPath, nMaxLength))
    {
        strLabel += c;
        if (c == '&')
            strLabel += '&';
    }
    return strLabel;
}
