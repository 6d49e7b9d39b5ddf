#include "TextBoxUndo.h"

namespace
{
// Whether strAfter is strBefore with nLength bytes inserted at nAt.
bool IsInsertion(const std::string& strBefore, const std::string& strAfter, std::size_t nAt,
                 std::size_t nLength)
{
    return strAfter.size() == strBefore.size() + nLength && nAt <= strBefore.size() &&
           strAfter.compare(0, nAt, strBefore, 0, nAt) == 0 &&
           strAfter.compare(nAt + nLength, std::string::npos, strBefore, nAt) == 0;
}
} // namespace

void CTextBoxUndo::Reset(const std::string& strText)
{
    m_strText = strText;
    m_before.reset();
    m_bInRun = false;
}

void CTextBoxUndo::NewStep(const std::string& strText)
{
    m_before = m_strText;
    m_strText = strText;
}

void CTextBoxUndo::Typed(const std::string& strText, std::size_t nCaret)
{
    if (strText == m_strText)
        return;
    // Typing inserts before the caret; Backspace and Delete remove at it. A
    // run goes on where the last change left the caret: typing on from it,
    // Backspace up to it, Delete from it.
    bool bTyping = false;
    bool bGoesOn = false;
    if (strText.size() > m_strText.size())
    {
        const std::size_t nLength = strText.size() - m_strText.size();
        const std::size_t nStart = nCaret >= nLength ? nCaret - nLength : 0;
        bTyping = nCaret >= nLength && IsInsertion(m_strText, strText, nStart, nLength);
        bGoesOn = nStart == m_nRunCaret;
    }
    else
    {
        const std::size_t nLength = m_strText.size() - strText.size();
        bTyping = IsInsertion(strText, m_strText, nCaret, nLength);
        bGoesOn = nCaret + nLength == m_nRunCaret || nCaret == m_nRunCaret;
    }

    if (bTyping && bGoesOn && m_bInRun && m_before)
        m_strText = strText;
    else
        NewStep(strText);
    m_bInRun = bTyping;
    m_nRunCaret = nCaret;
}

void CTextBoxUndo::Replaced(const std::string& strText)
{
    if (strText == m_strText)
        return;
    NewStep(strText);
    m_bInRun = false;
}

std::optional<std::string> CTextBoxUndo::Undo()
{
    if (!m_before)
        return std::nullopt;
    std::string strRestored = *m_before;
    m_before = m_strText;
    m_strText = strRestored;
    m_bInRun = false;
    return strRestored;
}
