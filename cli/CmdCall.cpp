#include "CallArguments.h"
#include "Command.h"
#include "DriverLibrary.h"
#include "PortOptions.h"

#include <iostream>

namespace
{
int RunCall(CArguments& args);
} // namespace

extern const CCommand g_cmdCall = {
    "call",
    "Call any function of the VF620 driver library by its name or ordinal.",
    "[--port N] [--parity P] [--baud B] NAME [ARGS...]\n"
    "       vfdkit call --list",
    "NAME is the function's name (any letter case) or @ and its ordinal (@9).\n"
    "ARGS follow the function's parameters (--list names them):\n"
    "  INT    decimal or 0x hexadecimal, may be negative; only the low byte\n"
    "         counts where the function sends a byte\n"
    "  BYTES  the word's own bytes, or hex:1B 51 41 for bytes in hexadecimal,\n"
    "         or text:... to pass a text beginning with hex: or text:\n"
    "  COUNT  after BYTES: optional, the number of bytes given when left out;\n"
    "         alone (ReceiveStr): the size of the buffer to receive into\n"
    "  FILE   a file name\n"
    "With --port, the port is opened before the call and closed after it.\n"
    "Prints the function's result; for a receive, the buffer in hexadecimal\n"
    "too. Exit status 0 when the result is positive, 1 when it is not.\n"
    "ReceiveStr waits until COUNT bytes have arrived (press Ctrl-C to stop).",
    {kPortOption,
     kParityOption,
     kBaudOption,
     {"list", "", "list the functions and their named ARGS"}},
    0,
    static_cast<std::size_t>(-1),
    RunCall,
};

namespace
{
void PrintList(const CDriverLibrary& library)
{
    std::cout << "Functions of " << library.GetPath() << ":\n";
    for (std::int32_t n = 1; const VF620_EXPORT_ENTRY* pEntry = library.Ordinal(n); ++n)
    {
        const std::string strParameters =
            pEntry->pfnProc ? DescribeParameters(pEntry->pszArgs, ParameterNames(pEntry->pszName))
                            : "(not provided in this build)";
        std::string name = pEntry->pszName;
        if (!strParameters.empty())
            name.resize(std::max<std::size_t>(name.size() + 2, 24), ' ');
        std::cout << (n < 10 ? "   @" : "  @") << n << "  " << name << strParameters << "\n";
    }
}

int RunCall(CArguments& args)
{
    const auto port = ReadPortOptions(args, false);
    if (!port)
        return Fail(g_cmdCall, kExitUsage, args.m_strError);
    if (!args.Has("list") && args.m_positionals.empty())
        return Fail(g_cmdCall, kExitUsage, "which function? (see vfdkit call --list)");

    CDriverLibrary library;
    if (!library.Load())
        return Fail(g_cmdCall, kExitFailed, library.m_strError);
    if (args.Has("list"))
    {
        PrintList(library);
        return kExitOk;
    }

    const std::string& strName = args.m_positionals[0];
    const VF620_EXPORT_ENTRY* pEntry = library.Find(strName);
    if (!pEntry)
        return Fail(g_cmdCall, kExitUsage,
                    "no function \"" + strName + "\" in the library (see vfdkit call --list)");
    if (!pEntry->pfnProc)
        return Fail(g_cmdCall, kExitUsage,
                    std::string(pEntry->pszName) + " (@" + std::to_string(pEntry->nOrdinal) +
                        ") is not provided in this build of the library");
    CCallArguments call;
    const std::vector<std::string> words(args.m_positionals.begin() + 1, args.m_positionals.end());
    if (!call.Parse(*pEntry, words))
        return Fail(g_cmdCall, kExitUsage, call.m_strError);

    std::string strError;
    if (port->m_nPort != 0 && !OpenDisplayPort(library, *port, strError))
        return Fail(g_cmdCall, kExitPort, strError);
    const auto nResult = CallExport(*pEntry, call.m_args);
    if (port->m_nPort != 0)
        CloseDisplayPort(library);
    if (!nResult)
        return Fail(g_cmdCall, kExitInternal, "cannot call " + std::string(pEntry->pszName));

    std::cout << *nResult << "\n";
    if (const auto* pBuffer = call.GetReceiveBuffer())
        std::cout << HexBytes(*pBuffer) << "\n";
    return *nResult > 0 ? kExitOk : kExitFailed;
}
} // namespace
