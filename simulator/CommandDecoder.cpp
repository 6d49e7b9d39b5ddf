#include "CommandDecoder.h"

#include <cstdio>

namespace
{
constexpr std::uint8_t ESC = 0x1B;
constexpr std::uint8_t US = 0x1F;
constexpr std::uint8_t STX = 0x02;
constexpr std::size_t kMaxText = kDisplayColumns;
constexpr std::size_t kFontFrameBytes = 4 + kFontPageBytes;

std::string CodeRange(unsigned nFirst, unsigned nLast)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "%02X-%02X", nFirst, nLast);
    return sz;
}

bool IsSelector(std::uint8_t n)
{
    return n == '1' || n == '2' || n == 'A' || n == 'B' || n == 'D';
}
} // namespace

void CCommandDecoder::Feed(std::uint8_t nByte)
{
    ++m_nBytesFed;
    // Bytes handed back by a command they did not fit, decoded afresh.
    std::vector<std::uint8_t> queue = {nByte};
    while (!queue.empty())
    {
        const std::uint8_t nNext = queue.front();
        queue.erase(queue.begin());
        Step(nNext, queue);
    }
}

void CCommandDecoder::Step(std::uint8_t nByte, std::vector<std::uint8_t>& queue)
{
    if (m_command.empty() && nByte >= 0x20)
    {
        if (m_display.Selected())
            m_display.WriteCharacter(nByte);
        m_text += static_cast<char>(nByte);
        return;
    }
    FlushText();
    m_command.push_back(nByte);
    const CParse parse = Parse();
    if (parse.m_result == EParse::Done)
    {
        Execute();
        m_command.clear();
    }
    else if (parse.m_result == EParse::Unknown)
    {
        queue.insert(queue.begin(),
                     m_command.begin() + static_cast<std::ptrdiff_t>(parse.m_nLength),
                     m_command.end());
        ReportUnknown(parse.m_nLength, nullptr);
        m_command.clear();
    }
}

CCommandDecoder::CParse CCommandDecoder::Parse() const
{
    const auto& c = m_command;
    const std::size_t n = c.size();
    const CParse more{EParse::More};
    auto done = [](std::size_t nLength) { return CParse{EParse::Done, nLength}; };
    auto unknown = [](std::size_t nLength) { return CParse{EParse::Unknown, nLength}; };
    switch (c[0])
    {
    case 0x08:
    case 0x09:
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x18:
        return done(1);
    case 0x14:
        return n < 2 ? more : done(2);
    case STX:
        // STX 05 letter digit ETX
        if (n >= 2 && c[1] != 0x05)
            return unknown(1);
        if (n >= 3 && c[2] != 'R' && c[2] != 'B' && c[2] != 'C')
            return unknown(2);
        if (n >= 4 && (c[3] < '0' || c[3] > '9'))
            return unknown(3);
        if (n >= 5)
            return c[4] == 0x03 ? done(5) : unknown(4);
        return more;
    case ESC:
        if (n < 2)
            return more;
        switch (c[1])
        {
        case 0x40:
        case 0x11:
        case 0x12:
        case 0x13:
            return done(2);
        case 0x2A:
        case 0x72:
        case 0x25:
        case 0x52:
        case 0x3F:
        case 0x3D:
        case 0x74:
        case 0x73:
            return n < 3 ? more : done(3);
        case 0x51:
            if (n >= 3 && !IsSelector(c[2]))
                return unknown(2);
            if (n >= 4)
            {
                if (c[n - 1] == 0x0D)
                    return done(n);
                if (c[n - 1] < 0x20 || n - 3 > kMaxText)
                    return unknown(n - 1);
            }
            return more;
        case 0x53:
            if (n >= 3 && c[2] != 0x02 && c[2] != 0x03)
                return unknown(2);
            return n < kFontFrameBytes ? more : done(n);
        case 0x26:
            if (n >= 3 && c[2] < 0x20)
                return unknown(2);
            if (n >= 4 && c[3] < c[2])
                return unknown(3);
            if (n >= 4 && n == 4 + (c[3] - c[2] + 1u) * kGlyphBytes)
                return done(n);
            return more;
        default:
            return unknown(1);
        }
    case US:
        if (n < 2)
            return more;
        switch (c[1])
        {
        case 0x0A:
        case 0x0D:
        case 0x42:
        case 0x40:
        case 0x01:
        case 0x02:
        case 0x03:
            return done(2);
        case 0x45:
        case 0x58:
        case 0x50:
            return n < 3 ? more : done(3);
        case 0x24:
        case 0x23:
            return n < 4 ? more : done(4);
        default:
            return unknown(1);
        }
    default:
        return unknown(1);
    }
}

void CCommandDecoder::AddCursor(CJsonObject& entry) const
{
    entry.Add("row", m_display.CursorRow() + 1).Add("column", m_display.CursorColumn() + 1);
}

void CCommandDecoder::Execute()
{
    CJsonObject entry;
    // While the display is not selected it reads commands but obeys only
    // the one that selects it again.
    const bool bSelect = m_command.size() == 3 && m_command[0] == ESC && m_command[1] == 0x3D;
    if (!m_display.Selected() && !bSelect)
        entry.Add("event", "ignored").Add("reason", "display not selected");
    else
        switch (m_command[0])
        {
        case ESC:
            ExecuteEscape(entry);
            break;
        case US:
            ExecuteUnitSeparator(entry);
            break;
        case STX:
            ExecuteFramed(entry);
            break;
        case 0x08:
            m_display.CursorLeft();
            entry.Add("event", "cursor").Add("move", "left");
            break;
        case 0x09:
            m_display.CursorRight();
            entry.Add("event", "cursor").Add("move", "right");
            break;
        case 0x0A:
            m_display.CursorDown();
            entry.Add("event", "cursor").Add("move", "down");
            break;
        case 0x0B:
            m_display.CursorHome();
            entry.Add("event", "cursor").Add("move", "home");
            break;
        case 0x0D:
            m_display.CursorLineStart();
            entry.Add("event", "cursor").Add("move", "line-start");
            break;
        case 0x0C:
            m_display.Clear();
            entry.Add("event", "clear");
            break;
        case 0x18:
            m_display.ClearCursorLine();
            entry.Add("event", "clear-line");
            AddCursor(entry);
            break;
        case 0x14:
            entry.Add("event", "contrast").Add("level", m_command[1]);
            if (!m_display.SetContrast(m_command[1]))
                entry.Add("ignored", "contrast levels are 0 to 7");
            break;
        }
    if (entry.Get("event") == "cursor")
        AddCursor(entry);
    Write(entry, m_command.data(), m_command.size());
}

void CCommandDecoder::ExecuteEscape(CJsonObject& entry)
{
    const std::uint8_t n = m_command.size() > 2 ? m_command[2] : 0;
    switch (m_command[1])
    {
    case 0x40:
        m_display.Initialise();
        entry.Add("event", "initialise");
        break;
    case 0x11:
    case 0x12:
    case 0x13:
        m_display.SetWriteMode(static_cast<EWriteMode>(m_command[1] - 0x11));
        entry.Add("event", "mode").Add("mode", WriteModeName(m_display.WriteMode()));
        break;
    case 0x2A:
        m_display.SetDimming(n);
        entry.Add("event", "dimming").Add("value", n).Add("dimmed", m_display.Dimmed());
        break;
    case 0x72:
        m_display.SetReverse(n);
        entry.Add("event", "reverse").Add("value", n).Add("on", m_display.Reverse());
        break;
    case 0x25:
        m_display.SelectUserFont(n);
        entry.Add("event", "user-font").Add("value", n).Add("on", m_display.UserFontSelected());
        break;
    case 0x52:
        entry.Add("event", "character-set").Add("set", n);
        if (m_display.SetCharacterSet(n))
            entry.Add("name", CharacterSetName(n));
        else
            entry.Add("ignored", "no such character set");
        break;
    case 0x74:
        entry.Add("event", "code-table").Add("table", n);
        if (m_display.SetCodeTable(n))
            entry.Add("name", CodeTableName(m_display.Model(), n));
        else
            entry.Add("ignored", "no such code table");
        break;
    case 0x3F:
        entry.Add("event", "cancel-user-character").Add("code", n);
        if (!m_display.CancelUserCharacter(n))
            entry.Add("ignored", "not a character code");
        break;
    case 0x3D:
        m_display.SelectPeripheral(n);
        entry.Add("event", "peripheral").Add("value", n).Add("display", m_display.Selected());
        break;
    case 0x73:
        entry.Add("event", "indicator").Add("value", n);
        if (m_display.SetIndicator(n))
            entry.Add("name", IndicatorName(m_display.Indicator()));
        else
            entry.Add("ignored", "indicators are 0 to 4");
        break;
    case 0x51:
    {
        const std::string strText(m_command.begin() + 3, m_command.end() - 1);
        const int nLine = (n == '2' || n == 'B') ? 2 : 1;
        const char* pszHow = (n == '1' || n == '2') ? "over" : n == 'D' ? "running" : "replace";
        m_display.ShowText(n, strText);
        entry.Add("event", "show-text")
            .Add("selector", std::string(1, static_cast<char>(n)))
            .Add("line", nLine)
            .Add("how", pszHow)
            .Add("text", strText);
        break;
    }
    case 0x53:
    {
        const unsigned nArea = n - 0x02u;
        const std::uint8_t nPage = m_command[3];
        entry.Add("event", "font-page").Add("area", nArea).Add("page", nPage);
        const unsigned nFirst = (nArea == 0 ? 0x20u : 0x80u) + (nPage - 1u) * kGlyphsPerPage;
        if (m_display.StoreFontPage(n, nPage, m_command.data() + 4))
            entry.Add("codes", CodeRange(nFirst, nFirst + kGlyphsPerPage - 1));
        else
            entry.Add("ignored",
                      nArea == 0 ? "area 0 has pages 1 to 6" : "area 1 has pages 1 to 8");
        break;
    }
    case 0x26:
        m_display.DefineCharacters(n, m_command[3], m_command.data() + 4);
        entry.Add("event", "define-characters")
            .Add("codes", CodeRange(n, m_command[3]))
            .Add("count", m_command[3] - n + 1);
        break;
    }
}

void CCommandDecoder::ExecuteUnitSeparator(CJsonObject& entry)
{
    const std::uint8_t n = m_command.size() > 2 ? m_command[2] : 0;
    switch (m_command[1])
    {
    case 0x0A:
        m_display.CursorUp();
        entry.Add("event", "cursor").Add("move", "up");
        break;
    case 0x0D:
        m_display.CursorLineEnd();
        entry.Add("event", "cursor").Add("move", "line-end");
        break;
    case 0x42:
        m_display.CursorBottom();
        entry.Add("event", "cursor").Add("move", "bottom");
        break;
    case 0x24:
        entry.Add("event", "cursor")
            .Add("move", "to")
            .Add("to_column", n)
            .Add("to_row", m_command[3]);
        if (!m_display.CursorTo(n, m_command[3]))
            entry.Add("ignored", "columns are 1 to 20, rows 1 to 2");
        break;
    case 0x40:
        m_display.SelfTest();
        entry.Add("event", "self-test");
        break;
    case 0x01:
    case 0x02:
    case 0x03:
        m_display.SetWriteMode(static_cast<EWriteMode>(m_command[1] - 0x01));
        entry.Add("event", "mode").Add("mode", WriteModeName(m_display.WriteMode()));
        break;
    case 0x45:
        m_display.SetBlink(n);
        entry.Add("event", "blink").Add("interval", n).Add("interval_ms", n * 50);
        break;
    case 0x58:
        entry.Add("event", "brightness").Add("level", n);
        if (m_display.SetBrightness(n))
            entry.Add("percent", 20 + 20 * n);
        else
            entry.Add("ignored", "brightness levels are 1 to 4");
        break;
    case 0x50:
        entry.Add("event", "thank-you").Add("value", n);
        if (m_display.SetThankYou(n))
            entry.Add("on", m_display.ThankYou());
        else
            entry.Add("ignored", "the option is 0 or 1");
        break;
    case 0x23:
        entry.Add("event", "warning").Add("on", (n & 1) != 0).Add("column", m_command[3]);
        if (!m_display.SetWarning(n, m_command[3]))
            entry.Add("ignored", "columns are 1 to 20");
        break;
    }
}

void CCommandDecoder::ExecuteFramed(CJsonObject& entry)
{
    const std::uint8_t nDigit = m_command[3];
    const std::string strDigit(1, static_cast<char>(nDigit));
    switch (m_command[2])
    {
    case 'R':
        entry.Add("event", "language").Add("digit", strDigit);
        if (m_display.SetLanguage(nDigit))
            entry.Add("language", m_display.Chinese() ? "chinese" : "international");
        else
            entry.Add("ignored", "languages are 0 and 1");
        break;
    case 'B':
        entry.Add("event", "baud-rate").Add("digit", strDigit);
        if (m_display.SetBaudCode(nDigit))
            entry.Add("baud", m_display.BaudRate());
        else
            entry.Add("ignored", "no such baud rate code");
        break;
    case 'C':
        entry.Add("event", "restore-settings").Add("digit", strDigit);
        if (!m_display.RestoreSettings(nDigit))
            entry.Add("ignored", "only 0 is known");
        break;
    }
}

void CCommandDecoder::FlushText()
{
    if (m_text.empty())
        return;
    CJsonObject entry;
    if (m_display.Selected())
        AddCursor(entry.Add("event", "text").Add("text", m_text));
    else
        entry.Add("event", "ignored").Add("reason", "display not selected").Add("text", m_text);
    Write(entry, reinterpret_cast<const std::uint8_t*>(m_text.data()), m_text.size());
    m_text.clear();
}

void CCommandDecoder::ReportUnknown(std::size_t nLength, const char* pszReason)
{
    CJsonObject entry;
    entry.Add("event", "unknown").AddBytes("bytes", m_command.data(), nLength);
    if (pszReason)
        entry.Add("reason", pszReason);
    Write(entry, m_command.data(), nLength);
}

void CCommandDecoder::Write(CJsonObject& entry, const std::uint8_t* pRx, std::size_t nCount)
{
    m_transcript.Write(entry.AddBytes("rx", pRx, nCount));
}

void CCommandDecoder::OnIdle()
{
    FlushText();
    if (m_command.empty())
        return;
    ReportUnknown(m_command.size(), "incomplete");
    m_command.clear();
}
