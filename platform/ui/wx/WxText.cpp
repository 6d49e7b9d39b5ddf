#include "WxText.h"

namespace
{
wxString Decode(const std::string& strText, const wxMBConv& conv)
{
    if (strText.empty())
        return {};
    wxString decoded(strText.data(), conv, strText.size());
    if (decoded.empty())
        decoded = wxString(strText.data(), wxConvISO8859_1, strText.size());
    return decoded;
}
} // namespace

wxString ToWx(const std::string& strText)
{
    return Decode(strText, wxConvUTF8);
}

std::string FromWx(const wxString& strText)
{
    return strText.utf8_string();
}

wxString PathToWx(const std::string& strPath)
{
    return Decode(strPath, *wxConvFileName);
}

std::string PathFromWx(const wxString& strPath)
{
    const wxCharBuffer buffer = strPath.fn_str();
    if (buffer.length() == 0 && !strPath.empty())
        return FromWx(strPath);
    return std::string(buffer.data(), buffer.length());
}
