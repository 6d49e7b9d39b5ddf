#include "Transcript.h"

#include <charconv>
#include <cstdio>

namespace
{
std::string Quote(const std::string& strText)
{
    std::string quoted = "\"";
    for (const char c : strText)
    {
        const auto u = static_cast<unsigned char>(c);
        switch (c)
        {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (u < 0x20 || u >= 0x7F)
            {
                // Bytes, not text: each one stands for itself (U+0000 to U+00FF).
                char szEscape[8];
                std::snprintf(szEscape, sizeof szEscape, "\\u%04X", u);
                quoted += szEscape;
            }
            else
                quoted += c;
        }
    }
    return quoted + "\"";
}

// Reads a string starting at the opening quote; advances past the closing one.
std::optional<std::string> ReadString(const std::string& strText, std::size_t& nAt)
{
    if (nAt >= strText.size() || strText[nAt] != '"')
        return std::nullopt;
    std::string value;
    for (++nAt; nAt < strText.size(); ++nAt)
    {
        const char c = strText[nAt];
        if (c == '"')
        {
            ++nAt;
            return value;
        }
        if (c != '\\')
        {
            value += c;
            continue;
        }
        if (++nAt >= strText.size())
            return std::nullopt;
        switch (strText[nAt])
        {
        case 'n':
            value += '\n';
            break;
        case 'r':
            value += '\r';
            break;
        case 't':
            value += '\t';
            break;
        case 'u':
        {
            unsigned nCode = 0;
            if (nAt + 4 >= strText.size())
                return std::nullopt;
            const char* pFirst = strText.data() + nAt + 1;
            const auto [end, ec] = std::from_chars(pFirst, pFirst + 4, nCode, 16);
            if (ec != std::errc{} || end != pFirst + 4 || nCode > 0xFF)
                return std::nullopt;
            value += static_cast<char>(nCode);
            nAt += 4;
            break;
        }
        default:
            value += strText[nAt];
        }
    }
    return std::nullopt;
}

void SkipBlanks(const std::string& strText, std::size_t& nAt)
{
    while (nAt < strText.size() && (strText[nAt] == ' ' || strText[nAt] == '\t'))
        ++nAt;
}
} // namespace

std::string HexBytes(const std::uint8_t* pData, std::size_t nCount)
{
    static const char s_digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < nCount; ++i)
    {
        if (i)
            text += ' ';
        text += s_digits[pData[i] >> 4];
        text += s_digits[pData[i] & 0xF];
    }
    return text;
}

CJsonObject& CJsonObject::Add(const std::string& strKey, const std::string& strValue)
{
    m_members.push_back({strKey, strValue, true});
    return *this;
}

CJsonObject& CJsonObject::Add(const std::string& strKey, const char* pszValue)
{
    return Add(strKey, std::string(pszValue));
}

CJsonObject& CJsonObject::Add(const std::string& strKey, long long nValue)
{
    m_members.push_back({strKey, std::to_string(nValue), false});
    return *this;
}

CJsonObject& CJsonObject::Add(const std::string& strKey, bool bValue)
{
    m_members.push_back({strKey, bValue ? "true" : "false", false});
    return *this;
}

CJsonObject& CJsonObject::AddBytes(const std::string& strKey, const std::uint8_t* pData,
                                   std::size_t nCount)
{
    return Add(strKey, HexBytes(pData, nCount));
}

std::optional<std::string> CJsonObject::Get(const std::string& strKey) const
{
    for (const auto& member : m_members)
        if (member.m_strKey == strKey)
            return member.m_strValue;
    return std::nullopt;
}

std::optional<long long> CJsonObject::GetInteger(const std::string& strKey) const
{
    const auto text = Get(strKey);
    if (!text)
        return std::nullopt;
    long long nValue = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), nValue);
    if (ec != std::errc{} || end != text->data() + text->size())
        return std::nullopt;
    return nValue;
}

std::string CJsonObject::ToString() const
{
    std::string text = "{";
    for (const auto& member : m_members)
    {
        if (text.size() > 1)
            text += ',';
        text += Quote(member.m_strKey) + ':' +
                (member.m_bString ? Quote(member.m_strValue) : member.m_strValue);
    }
    return text + "}";
}

std::optional<CJsonObject> CJsonObject::Parse(const std::string& strText)
{
    CJsonObject object;
    std::size_t nAt = 0;
    SkipBlanks(strText, nAt);
    if (nAt >= strText.size() || strText[nAt++] != '{')
        return std::nullopt;
    SkipBlanks(strText, nAt);
    if (nAt < strText.size() && strText[nAt] == '}')
        return object;
    for (;;)
    {
        SkipBlanks(strText, nAt);
        const auto key = ReadString(strText, nAt);
        SkipBlanks(strText, nAt);
        if (!key || nAt >= strText.size() || strText[nAt++] != ':')
            return std::nullopt;
        SkipBlanks(strText, nAt);
        if (nAt < strText.size() && strText[nAt] == '"')
        {
            const auto value = ReadString(strText, nAt);
            if (!value)
                return std::nullopt;
            object.Add(*key, *value);
        }
        else
        {
            const std::size_t nStart = nAt;
            while (nAt < strText.size() && strText[nAt] != ',' && strText[nAt] != '}' &&
                   strText[nAt] != ' ')
                ++nAt;
            if (nAt == nStart)
                return std::nullopt;
            object.m_members.push_back({*key, strText.substr(nStart, nAt - nStart), false});
        }
        SkipBlanks(strText, nAt);
        if (nAt >= strText.size())
            return std::nullopt;
        if (strText[nAt] == '}')
            return object;
        if (strText[nAt++] != ',')
            return std::nullopt;
    }
}

std::string CJsonObject::Readable() const
{
    std::string text = Get("event").value_or("?");
    for (const auto& member : m_members)
        if (member.m_strKey != "event")
            text += " " + member.m_strKey + "=" +
                    (member.m_bString ? "\"" + member.m_strValue + "\"" : member.m_strValue);
    return text;
}

void CTranscript::Write(const CJsonObject& entry)
{
    if (m_listener)
        m_listener(entry);
    if (!m_pOut)
        return;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(m_clock.Now() - m_start).count();
    std::string line = entry.ToString();
    line.insert(1, "\"ms\":" + std::to_string(ms) + (line.size() > 2 ? "," : ""));
    *m_pOut << line << '\n';
    m_pOut->flush();
}
