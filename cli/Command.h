#pragma once

#include "StandardOptions.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Exit statuses of vfdkit, the same for every command.
enum EExitStatus : int
{
    kExitOk = 0,
    kExitFailed = 1,   // the job ran and did not succeed (the display said no, a transfer failed)
    kExitUsage = 2,    // the command line is wrong
    kExitFile = 3,     // a file could not be read or written
    kExitPort = 4,     // a serial port could not be opened
    kExitInternal = 70 // a fault of vfdkit itself
};

// The arguments of one subcommand: options ("--name value", "--name=value",
// "--flag") and positionals, checked against what the command declares.
class CArguments
{
public:
    struct COption
    {
        std::string m_strName;      // without the dashes
        std::string m_strValueName; // empty: a flag without a value
        std::string m_strHelp;
    };

    // False, with m_strError set, when an option is unknown, lacks its value
    // or the count of positionals is outside [nMinPositional, nMaxPositional].
    bool Parse(const std::vector<std::string>& args, const std::vector<COption>& options,
               std::size_t nMinPositional, std::size_t nMaxPositional);

    bool Has(const std::string& strName) const { return m_values.count(strName) != 0; }
    std::optional<std::string> Get(const std::string& strName) const;
    // The option as a number in [nMin, nMax], decimal or 0x hexadecimal;
    // nDefault when absent; nothing (and m_strError set) when malformed.
    std::optional<long long> GetInteger(const std::string& strName, long long nMin, long long nMax,
                                        std::optional<long long> nDefault);

    std::vector<std::string> m_positionals;
    std::string m_strError;

private:
    std::map<std::string, std::string> m_values;
};

struct CCommand
{
    const char* m_pszName;
    const char* m_pszSummary;
    const char* m_pszUsage; // the synopsis after "vfdkit NAME"
    const char* m_pszDetails;
    std::vector<CArguments::COption> m_options;
    std::size_t m_nMinPositional;
    std::size_t m_nMaxPositional;
    int (*m_pfnRun)(CArguments& args);
};

std::span<const CCommand* const> AllCommands();

// "vfdkit NAME: message" on standard error; returns nStatus.
int Fail(const CCommand& command, int nStatus, const std::string& strMessage);
