#include "DataExchange.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace
{
// Strips the blanks the user may leave around a number; nothing else is
// forgiven.
std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

template <typename T>
std::optional<T> ParseNumber(const std::string& strText, bool bSigned)
{
    std::string_view text = Trim(strText);
    bool bNegative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
    {
        if (text.front() == '-' && !bSigned)
            return std::nullopt;
        bNegative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;

    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    if (bNegative)
        value = -value;
    if (value < static_cast<long long>(std::numeric_limits<T>::min()) ||
        value > static_cast<long long>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(value);
}
} // namespace

std::string FormatIntegerRangeMessage(int nMin, int nMax)
{
    std::string text = kMsgEnterIntegerBetween;
    text.replace(text.find("%1"), 2, std::to_string(nMin));
    text.replace(text.find("%2"), 2, std::to_string(nMax));
    return text;
}

std::optional<int> ParseInt(const std::string& strText)
{
    return ParseNumber<int>(strText, true);
}

std::optional<unsigned> ParseUnsigned(const std::string& strText)
{
    return ParseNumber<unsigned>(strText, false);
}

void CDataExchange::Fail(int nId, const std::string& strMessage)
{
    m_ui.MessageBox(strMessage, EMessageIcon::Warning);
    m_controls.FocusAndSelect(nId);
    m_bFailed = true;
}

void CDataExchange::Text(int nId, std::string& strValue)
{
    if (m_bFailed)
        return;
    if (m_bSaveAndValidate)
        strValue = m_controls.GetText(nId);
    else
        m_controls.SetText(nId, strValue);
}

void CDataExchange::Text(int nId, int& nValue)
{
    if (m_bFailed)
        return;
    if (!m_bSaveAndValidate)
    {
        m_controls.SetText(nId, std::to_string(nValue));
        return;
    }
    if (const auto parsed = ParseInt(m_controls.GetText(nId)))
        nValue = *parsed;
    else
        Fail(nId, kMsgEnterInteger);
}

void CDataExchange::Text(int nId, unsigned& nValue)
{
    if (m_bFailed)
        return;
    if (!m_bSaveAndValidate)
    {
        m_controls.SetText(nId, std::to_string(nValue));
        return;
    }
    if (const auto parsed = ParseUnsigned(m_controls.GetText(nId)))
        nValue = *parsed;
    else
        Fail(nId, kMsgEnterPositiveInteger);
}

void CDataExchange::MinMaxInt(int nId, int nValue, int nMin, int nMax)
{
    if (m_bFailed || !m_bSaveAndValidate)
        return;
    if (nValue < nMin || nValue > nMax)
        Fail(nId, FormatIntegerRangeMessage(nMin, nMax));
}

void CDataExchange::Value(int nId, int& nValue)
{
    if (m_bFailed)
        return;
    if (m_bSaveAndValidate)
        nValue = m_controls.GetValue(nId);
    else
        m_controls.SetValue(nId, nValue);
}

void CDataExchange::Radio(int nFirstId, int& nIndex)
{
    Value(nFirstId, nIndex);
}

void CDataExchange::ComboIndex(int nId, int& nIndex)
{
    Value(nId, nIndex);
}

void CDataExchange::Check(int nId, int& nState)
{
    Value(nId, nState);
}

void CDataExchange::Control(int nId, CProgressCtrl& control)
{
    if (m_bFailed || control.IsAttached())
        return;
    control.Attach(m_controls.FindProgressBar(nId));
}

bool CDataExchangeForm::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(m_controls, m_ui, bSaveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}
