#include "Telnet.h"

#include <algorithm>

namespace telnet
{
std::vector<std::uint8_t> Escape(const std::uint8_t* pData, std::size_t nCount)
{
    std::vector<std::uint8_t> out;
    out.reserve(nCount + nCount / 16 + 1);
    for (std::size_t i = 0; i < nCount; ++i)
    {
        out.push_back(pData[i]);
        if (pData[i] == kIac)
            out.push_back(kIac);
    }
    return out;
}

std::vector<std::uint8_t> ComPortCommand(std::uint8_t nCommand,
                                         const std::vector<std::uint8_t>& value)
{
    std::vector<std::uint8_t> out{kIac, kSb, kOptComPort, nCommand};
    const std::vector<std::uint8_t> escaped = Escape(value.data(), value.size());
    out.insert(out.end(), escaped.begin(), escaped.end());
    out.push_back(kIac);
    out.push_back(kSe);
    return out;
}

void CDecoder::Feed(const std::uint8_t* pIn, std::size_t nCount, std::vector<std::uint8_t>& data,
                    std::vector<CCommand>& commands)
{
    for (std::size_t i = 0; i < nCount; ++i)
    {
        const std::uint8_t c = pIn[i];
        switch (m_eState)
        {
        case EState::Data:
            if (c == kIac)
                m_eState = EState::Iac;
            else
                data.push_back(c);
            break;
        case EState::Iac:
            if (c == kIac)
            {
                data.push_back(kIac);
                m_eState = EState::Data;
            }
            else if (c == kWill || c == kWont || c == kDo || c == kDont)
            {
                m_command = CCommand{c, 0, {}};
                m_eState = EState::Option;
            }
            else if (c == kSb)
            {
                m_command = CCommand{kSb, 0, {}};
                m_eState = EState::SbOption;
            }
            else
                m_eState = EState::Data; // NOP, go-ahead and the like carry nothing
            break;
        case EState::Option:
            m_command.m_nOption = c;
            commands.push_back(m_command);
            m_eState = EState::Data;
            break;
        case EState::SbOption:
            m_command.m_nOption = c;
            m_eState = EState::Sb;
            break;
        case EState::Sb:
            if (c == kIac)
                m_eState = EState::SbIac;
            else if (m_command.m_payload.size() < 64) // longer ones are no line setting
                m_command.m_payload.push_back(c);
            break;
        case EState::SbIac:
            if (c == kSe)
            {
                commands.push_back(m_command);
                m_eState = EState::Data;
            }
            else
            {
                if (c == kIac && m_command.m_payload.size() < 64)
                    m_command.m_payload.push_back(kIac);
                m_eState = EState::Sb;
            }
            break;
        }
    }
}

bool CNegotiator::Supported(std::uint8_t nOption) const
{
    return std::find(m_supported.begin(), m_supported.end(), nOption) != m_supported.end();
}

std::vector<std::uint8_t> CNegotiator::Offer(std::uint8_t nVerb, std::uint8_t nOption)
{
    (nVerb == kWill ? m_offered : m_requested)[nOption] = true;
    return {kIac, nVerb, nOption};
}

std::vector<std::uint8_t> CNegotiator::Answer(std::uint8_t nVerb, std::uint8_t nOption)
{
    const bool bSupported = Supported(nOption);
    switch (nVerb)
    {
    case kDo: // the peer asks us to do it
    {
        const bool bWasOffered = m_offered[nOption];
        m_offered[nOption] = false;
        if (!bSupported)
            return {kIac, kWont, nOption};
        if (m_weWill[nOption])
            return {};
        m_weWill[nOption] = true;
        if (bWasOffered)
            return {};
        return {kIac, kWill, nOption};
    }
    case kDont:
        m_refused[nOption] = m_offered[nOption] || m_weWill[nOption];
        m_offered[nOption] = false;
        if (!m_weWill[nOption])
            return {};
        m_weWill[nOption] = false;
        return {kIac, kWont, nOption};
    case kWill: // the peer offers to do it
    {
        const bool bWasRequested = m_requested[nOption];
        m_requested[nOption] = false;
        if (!bSupported)
            return {kIac, kDont, nOption};
        if (m_theyWill[nOption])
            return {};
        m_theyWill[nOption] = true;
        if (bWasRequested)
            return {};
        return {kIac, kDo, nOption};
    }
    case kWont:
        m_requested[nOption] = false;
        if (!m_theyWill[nOption])
            return {};
        m_theyWill[nOption] = false;
        return {kIac, kDont, nOption};
    default:
        return {};
    }
}
} // namespace telnet
