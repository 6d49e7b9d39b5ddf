#include "AtomicFile.h"
#include "Command.h"

#include <exception>
#include <iostream>

namespace
{
void PrintUsage(std::ostream& out)
{
    out << "Usage: vfdkit COMMAND [ARGS...]\n"
           "       vfdkit COMMAND --help\n"
           "       vfdkit --version\n\n"
           "Tools for a two-line, 20-column serial customer display, from the shell.\n\n"
           "Commands:\n";
    for (const CCommand* pCommand : AllCommands())
    {
        std::string name = pCommand->m_pszName;
        name.resize(std::max<std::size_t>(name.size() + 2, 14), ' ');
        out << "  " << name << pCommand->m_pszSummary << "\n";
    }
    out << "\nvfdkit help COMMAND shows a command's options.\n"
           "\nExit status: 0 done, 1 failed, 2 wrong command line, 3 file error, "
           "4 port error,\n70 a fault of vfdkit itself.\n";
}

void PrintCommandHelp(const CCommand& command)
{
    std::cout << "Usage: vfdkit " << command.m_pszName << " " << command.m_pszUsage << "\n\n"
              << command.m_pszSummary << "\n";
    if (command.m_pszDetails && *command.m_pszDetails)
        std::cout << "\n" << command.m_pszDetails << "\n";
    std::cout << "\nOptions:\n";
    for (const auto& option : command.m_options)
    {
        std::string left = "--" + option.m_strName;
        if (!option.m_strValueName.empty())
            left += " " + option.m_strValueName;
        left.resize(std::max<std::size_t>(left.size() + 2, 20), ' ');
        std::cout << "  " << left << option.m_strHelp << "\n";
    }
    std::cout << "  --help              show this help\n";
}

int Run(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
    {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    if (args[0] == "help" && args.size() == 2)
    {
        for (const CCommand* pCommand : AllCommands())
            if (args[1] == pCommand->m_pszName)
            {
                PrintCommandHelp(*pCommand);
                return kExitOk;
            }
        std::cerr << "vfdkit: no help on \"" << args[1]
                  << "\": it is no command (see vfdkit --help)\n";
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help")
    {
        PrintUsage(std::cout);
        return kExitOk;
    }
    if (args[0] == "--version")
    {
        std::cout << "vfdkit " << VFDKIT_VERSION << "\n";
        return kExitOk;
    }
    for (const CCommand* pCommand : AllCommands())
    {
        if (args[0] != pCommand->m_pszName)
            continue;
        args.erase(args.begin());
        for (const auto& arg : args)
        {
            if (arg == "--")
                break;
            if (arg == "--help" || arg == "-h")
            {
                PrintCommandHelp(*pCommand);
                return kExitOk;
            }
        }
        CArguments parsed;
        if (!parsed.Parse(args, pCommand->m_options, pCommand->m_nMinPositional,
                          pCommand->m_nMaxPositional))
            return Fail(*pCommand, kExitUsage,
                        parsed.m_strError + " (see vfdkit " + pCommand->m_pszName + " --help)");
        return pCommand->m_pfnRun(parsed);
    }
    std::cerr << "vfdkit: unknown command \"" << args[0] << "\" (see vfdkit --help)\n";
    return kExitUsage;
}
} // namespace

int main(int argc, char** argv)
{
    // A script that stops vfdkit mid-write leaves no temporary file behind.
    RemoveTemporaryFilesOnSignals();
    try
    {
        return Run(argc, argv);
    }
    catch (const std::exception& e)
    {
        std::cerr << "vfdkit: internal error: " << e.what() << "\n";
        return kExitInternal;
    }
}
