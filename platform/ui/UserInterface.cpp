#include "UserInterface.h"

std::vector<CFileFilter> ParseFilterString(const std::string& strFilter)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start < strFilter.size())
    {
        const auto bar = strFilter.find('|', start);
        if (bar == std::string::npos)
        {
            parts.push_back(strFilter.substr(start));
            break;
        }
        parts.push_back(strFilter.substr(start, bar - start));
        start = bar + 1;
    }

    std::vector<CFileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
    {
        // An empty name ends the list ("||").
        if (parts[i].empty())
            break;
        filters.push_back({parts[i], parts[i + 1]});
    }
    return filters;
}

std::string ApplyDefaultExtension(const std::string& strPath, const std::string& strDefaultExt)
{
    if (strDefaultExt.empty() || strPath.empty())
        return strPath;
    const auto slash = strPath.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? strPath : strPath.substr(slash + 1);
    if (name.find('.') != std::string::npos)
        return strPath;
    return strPath + "." + strDefaultExt;
}
