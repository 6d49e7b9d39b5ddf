#pragma once

#include "Clock.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// One flat JSON object, its members in the order they were added. Enough
// for the transcript's lines, and for reading them back in tests.
class CJsonObject
{
public:
    CJsonObject& Add(const std::string& strKey, const std::string& strValue);
    CJsonObject& Add(const std::string& strKey, const char* pszValue);
    CJsonObject& Add(const std::string& strKey, long long nValue);
    CJsonObject& Add(const std::string& strKey, int nValue)
    {
        return Add(strKey, static_cast<long long>(nValue));
    }
    CJsonObject& Add(const std::string& strKey, unsigned nValue)
    {
        return Add(strKey, static_cast<long long>(nValue));
    }
    CJsonObject& Add(const std::string& strKey, bool bValue);
    // Bytes as upper-case hex pairs separated by blanks: "1B 05 01".
    CJsonObject& AddBytes(const std::string& strKey, const std::uint8_t* pData, std::size_t nCount);

    // The member's value: a string's text unescaped, a number or literal as
    // written; nothing when absent.
    std::optional<std::string> Get(const std::string& strKey) const;
    std::optional<long long> GetInteger(const std::string& strKey) const;
    bool Has(const std::string& strKey) const { return Get(strKey).has_value(); }

    std::string ToString() const;
    // For people: the event's name, then the other members as key=value.
    std::string Readable() const;
    // A flat object as ToString writes it (strings, numbers, true, false,
    // null); nothing for anything else.
    static std::optional<CJsonObject> Parse(const std::string& strText);

private:
    struct CMember
    {
        std::string m_strKey;
        std::string m_strValue; // unescaped text of a string, else the literal
        bool m_bString;
    };
    std::vector<CMember> m_members;
};

std::string HexBytes(const std::uint8_t* pData, std::size_t nCount);

// The simulator's record of what happened on the line: one JSON object a
// line, each starting with "ms", the milliseconds since the start. Lines are
// flushed as they are written, so a reader can follow the file live.
class CTranscript
{
public:
    // pOut nullptr: nothing is written.
    CTranscript(std::ostream* pOut, CClock& clock)
        : m_pOut(pOut), m_clock(clock), m_start(clock.Now())
    {
    }

    void Write(const CJsonObject& entry);
    // Also hands every entry to a listener (the window's log), written to a
    // file or not.
    void SetListener(std::function<void(const CJsonObject&)> listener)
    {
        m_listener = std::move(listener);
    }

private:
    std::function<void(const CJsonObject&)> m_listener;
    std::ostream* m_pOut;
    CClock& m_clock;
    CClock::Duration m_start;
};
