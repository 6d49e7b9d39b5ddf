#include "PrivateProfile.h"

#include "AtomicFile.h"
#include "File.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The platform counts the end-of-file character among the blanks.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare by ASCII case only: the bytes of other characters must match
// exactly, which is what a UTF-8 name needs.
bool SameName(std::string_view a, std::string_view b)
{
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

struct CParsedLine
{
    enum class EKind
    {
        Other, // blank or comment
        Section,
        Key
    };
    EKind m_kind = EKind::Other;
    std::string_view m_name;
    std::optional<std::string_view> m_value; // none: a key line without "="
};

CParsedLine ParseLine(std::string_view text, bool bFirstLine)
{
    if (bFirstLine && text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    text = Trim(text);
    CParsedLine line;
    if (text.empty() || text.front() == ';')
        return line;
    if (text.front() == '[')
    {
        // The name runs to the last "]" on the line; a line without one is
        // no header and counts as a key line, as the platform reads it.
        const auto nClose = text.rfind(']');
        if (nClose != std::string_view::npos)
        {
            line.m_kind = CParsedLine::EKind::Section;
            line.m_name = Trim(text.substr(1, nClose - 1));
            return line;
        }
    }
    line.m_kind = CParsedLine::EKind::Key;
    const auto nEquals = text.find('=');
    if (nEquals == std::string_view::npos)
    {
        line.m_name = text;
        return line;
    }
    line.m_name = Trim(text.substr(0, nEquals));
    line.m_value = Trim(text.substr(nEquals + 1));
    return line;
}

std::string_view StripQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// At most nMax bytes, backing off to the start of a UTF-8 character so that
// a cut never leaves half a character behind.
std::string CutAt(std::string_view text, std::size_t nMax)
{
    if (text.size() <= nMax)
        return std::string(text);
    std::size_t nEnd = nMax;
    while (nEnd > 0 && (static_cast<unsigned char>(text[nEnd]) & 0xC0) == 0x80)
        --nEnd;
    return std::string(text.substr(0, nEnd));
}

bool BreaksLines(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}
} // namespace

int ReadProfileInt(std::string_view text, int nDefault)
{
    if (text.empty())
        return nDefault;
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        bNegative = text[i++] == '-';
    std::uint32_t nTotal = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        nTotal = nTotal * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (bNegative)
        nTotal = 0u - nTotal;
    return static_cast<int>(nTotal);
}

CPrivateProfile::CPrivateProfile(std::string strPath) : m_strPath(std::move(strPath))
{
    Load();
}

bool CPrivateProfile::Load()
{
    m_lines.clear();
    m_strError.clear();
    std::error_code ec;
    if (!fs::exists(m_strPath, ec) && !ec)
        return true;

    CFile file;
    std::string text;
    if (!file.Open(m_strPath, CFile::EMode::Read))
    {
        m_strError = file.GetLastError();
        return false;
    }
    char buffer[4096];
    for (;;)
    {
        const long long nRead = file.Read(buffer, sizeof buffer);
        if (nRead < 0)
        {
            m_strError = file.GetLastError();
            return false;
        }
        if (nRead == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(nRead));
    }

    std::size_t nStart = 0;
    while (nStart < text.size())
    {
        const auto nNewline = text.find('\n', nStart);
        CLine line;
        if (nNewline == std::string::npos)
        {
            line.m_strText = text.substr(nStart);
            nStart = text.size();
        }
        else
        {
            std::size_t nEnd = nNewline;
            if (nEnd > nStart && text[nEnd - 1] == '\r')
                --nEnd;
            line.m_strText = text.substr(nStart, nEnd - nStart);
            line.m_strEol = text.substr(nEnd, nNewline + 1 - nEnd);
            nStart = nNewline + 1;
        }
        m_lines.push_back(std::move(line));
    }
    return true;
}

std::optional<std::size_t> CPrivateProfile::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i)
    {
        const auto line = ParseLine(m_lines[i].m_strText, i == 0);
        if (line.m_kind == CParsedLine::EKind::Section && SameName(line.m_name, section))
            return i;
    }
    return std::nullopt;
}

std::size_t CPrivateProfile::SectionEnd(std::size_t nHeader) const
{
    for (std::size_t i = nHeader + 1; i < m_lines.size(); ++i)
        if (ParseLine(m_lines[i].m_strText, false).m_kind == CParsedLine::EKind::Section)
            return i;
    return m_lines.size();
}

std::optional<std::size_t> CPrivateProfile::FindKey(std::string_view section,
                                                    std::string_view key) const
{
    const auto nHeader = FindSection(section);
    if (!nHeader || Trim(key).empty())
        return std::nullopt;
    const std::size_t nEnd = SectionEnd(*nHeader);
    for (std::size_t i = *nHeader + 1; i < nEnd; ++i)
    {
        const auto line = ParseLine(m_lines[i].m_strText, false);
        if (line.m_kind == CParsedLine::EKind::Key && SameName(line.m_name, key))
            return i;
    }
    return std::nullopt;
}

std::string CPrivateProfile::GetString(std::string_view section, std::string_view key,
                                       std::string_view strDefault, std::size_t nBufferSize) const
{
    if (nBufferSize == 0)
        return {};
    std::string_view value;
    const auto nKey = FindKey(section, key);
    const auto parsed = nKey ? ParseLine(m_lines[*nKey].m_strText, false) : CParsedLine{};
    if (parsed.m_value)
    {
        value = StripQuotes(*parsed.m_value);
    }
    else
    {
        value = strDefault;
        while (!value.empty() && value.back() == ' ')
            value.remove_suffix(1);
    }
    return CutAt(value, nBufferSize - 1);
}

int CPrivateProfile::GetInt(std::string_view section, std::string_view key, int nDefault) const
{
    // The value may be as long as the line: the reader stops at its first
    // non-digit anyway.
    return ReadProfileInt(GetString(section, key, "", std::string::npos), nDefault);
}

std::string CPrivateProfile::LineEnding() const
{
    for (const auto& line : m_lines)
        if (!line.m_strEol.empty())
            return line.m_strEol;
    return "\r\n";
}

bool CPrivateProfile::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value)
{
    return WriteStrings(section, {{std::string(key), std::string(value)}});
}

bool CPrivateProfile::CheckName(std::string_view section, std::string_view key,
                                std::string_view value)
{
    if (Trim(section).empty() || Trim(key).empty() || BreaksLines(section) || BreaksLines(key) ||
        BreaksLines(value) || key.find('=') != std::string_view::npos || Trim(key).front() == '[' ||
        Trim(key).front() == ';')
    {
        m_strError = m_strPath + ": the name \"" + std::string(key) + "\" in [" +
                     std::string(section) + "] cannot be written as an INI line";
        return false;
    }
    return true;
}

bool CPrivateProfile::WriteStrings(std::string_view section,
                                   const std::vector<std::pair<std::string, std::string>>& values)
{
    for (const auto& [key, value] : values)
        if (!CheckName(section, key, value))
            return false;
    // Never write over a file whose content could not be read: it would be lost.
    if (!Load())
        return false;

    const std::vector<CLine> before = m_lines;
    for (const auto& [key, value] : values)
        SetInLines(section, key, value);
    if (!Save())
    {
        m_lines = before;
        return false;
    }
    return true;
}

void CPrivateProfile::SetInLines(std::string_view section, std::string_view key,
                                 std::string_view value)
{
    const std::string strEol = LineEnding();
    const std::string strKeyLine = std::string(Trim(key)) + "=" + std::string(value);
    if (const auto nKey = FindKey(section, key))
    {
        // The key keeps its spelling in the file; only the value changes.
        const auto parsed = ParseLine(m_lines[*nKey].m_strText, false);
        m_lines[*nKey].m_strText = std::string(parsed.m_name) + "=" + std::string(value);
    }
    else if (const auto nHeader = FindSection(section))
    {
        // After the section's last key, so that blank lines and comments
        // before the next section stay with it.
        std::size_t nAfter = *nHeader;
        const std::size_t nEnd = SectionEnd(*nHeader);
        for (std::size_t i = *nHeader + 1; i < nEnd; ++i)
            if (ParseLine(m_lines[i].m_strText, false).m_kind == CParsedLine::EKind::Key)
                nAfter = i;
        if (m_lines[nAfter].m_strEol.empty())
            m_lines[nAfter].m_strEol = strEol;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(nAfter) + 1,
                       CLine{strKeyLine, strEol});
    }
    else
    {
        if (!m_lines.empty() && m_lines.back().m_strEol.empty())
            m_lines.back().m_strEol = strEol;
        m_lines.push_back(CLine{"[" + std::string(Trim(section)) + "]", strEol});
        m_lines.push_back(CLine{strKeyLine, strEol});
    }
}

// The whole content in one all-or-nothing write: a failure (a full disk, a
// read-only file) never leaves half a file, and the file keeps its
// permissions and its links.
bool CPrivateProfile::Save()
{
    std::string text;
    for (const auto& line : m_lines)
        text += line.m_strText + line.m_strEol;
    return WriteFileAtomically(m_strPath, text.data(), text.size(), &m_strError);
}
