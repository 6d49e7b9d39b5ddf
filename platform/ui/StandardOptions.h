#pragma once

#include <optional>
#include <string>

// The options every program answers before it starts anything (no window,
// no file, no toolkit, so they work without a display): --help (-h) prints
// the usage, --version the program's name and version; both exit 0.
struct CProgramInfo
{
    const char* m_pszName;  // "Typeloom"
    const char* m_pszUsage; // the text --help prints, ending in a newline
};

// The exit status when argv asks for help or the version (after printing
// it to standard output); nullopt when the program should go on.
std::optional<int> AnswerStandardOptions(int argc, const char* const* argv,
                                         const CProgramInfo& info);

// "<name> <version>", the version being the project's.
std::string VersionLine(const char* pszName);

// A number as every program's command line takes it: decimal, or
// hexadecimal after 0x, with an optional minus; nothing else around it.
std::optional<long long> ParseCommandLineInteger(const std::string& strText);
