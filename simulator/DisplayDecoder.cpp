#include "DisplayDecoder.h"

#include <string>

void CPlainDecoder::Feed(std::uint8_t nByte)
{
    const bool bText = nByte >= 0x20 && nByte < 0x7F;
    if (!m_run.empty() && bText != m_bText)
        Flush();
    m_bText = bText;
    m_run.push_back(nByte);
}

void CPlainDecoder::Flush()
{
    if (m_run.empty())
        return;
    if (m_bText)
        m_transcript.Write(CJsonObject()
                               .Add("event", "text")
                               .Add("text", std::string(m_run.begin(), m_run.end()))
                               .AddBytes("rx", m_run.data(), m_run.size()));
    else
        m_transcript.Write(CJsonObject()
                               .Add("event", "unknown")
                               .AddBytes("bytes", m_run.data(), m_run.size())
                               .AddBytes("rx", m_run.data(), m_run.size()));
    m_run.clear();
}
