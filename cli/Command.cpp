#include "Command.h"

#include <iostream>

bool CArguments::Parse(const std::vector<std::string>& args, const std::vector<COption>& options,
                       std::size_t nMinPositional, std::size_t nMaxPositional)
{
    auto find = [&](const std::string& name) -> const COption*
    {
        for (const auto& option : options)
            if (option.m_strName == name)
                return &option;
        return nullptr;
    };

    bool bOptionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (bOptionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0)
        {
            if (arg == "--")
                bOptionsEnded = true;
            else
                m_positionals.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos)
        {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const COption* pOption = find(name);
        if (!pOption)
        {
            m_strError = "unknown option --" + name;
            return false;
        }
        if (pOption->m_strValueName.empty())
        {
            if (value)
            {
                m_strError = "--" + name + " takes no value";
                return false;
            }
            m_values[name] = "";
            continue;
        }
        if (!value)
        {
            if (i + 1 >= args.size())
            {
                m_strError = "--" + name + " needs a value (" + pOption->m_strValueName + ")";
                return false;
            }
            value = args[++i];
        }
        m_values[name] = *value;
    }
    if (m_positionals.size() < nMinPositional)
    {
        m_strError = "missing arguments";
        return false;
    }
    if (m_positionals.size() > nMaxPositional)
    {
        m_strError = "too many arguments: " + m_positionals[nMaxPositional];
        return false;
    }
    return true;
}

std::optional<std::string> CArguments::Get(const std::string& strName) const
{
    const auto it = m_values.find(strName);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::optional<long long> CArguments::GetInteger(const std::string& strName, long long nMin,
                                                long long nMax, std::optional<long long> nDefault)
{
    const auto text = Get(strName);
    if (!text)
    {
        if (!nDefault)
            m_strError = "--" + strName + " is required";
        return nDefault;
    }
    const auto value = ParseCommandLineInteger(*text);
    if (!value || *value < nMin || *value > nMax)
    {
        m_strError = "--" + strName + " must be a number from " + std::to_string(nMin) + " to " +
                     std::to_string(nMax) + ", not \"" + *text + "\"";
        return std::nullopt;
    }
    return value;
}

int Fail(const CCommand& command, int nStatus, const std::string& strMessage)
{
    std::cerr << "vfdkit " << command.m_pszName << ": " << strMessage << "\n";
    return nStatus;
}
