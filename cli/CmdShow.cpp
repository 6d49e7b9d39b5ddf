// vfdkit show and clear: text on the display without its command codes.
#include "Command.h"
#include "DriverLibrary.h"
#include "ExportCall.h"
#include "PortOptions.h"

#include <cstdio>
#include <iostream>
#include <utility>
#include <vector>

namespace
{
int RunShow(CArguments& args);
int RunClear(CArguments& args);

const CArguments::COption kShowPortOption = {
    "port", "N", "COM port 1 to 255 (1), a device or rfc2217://HOST:PORT"};
} // namespace

extern const CCommand g_cmdShow = {
    "show",
    "Clear the display and show one or two lines of text.",
    "[--port N] [--parity P] [--baud B] LINE1 [LINE2]",
    "Through the VF620 library, as vfdkit call: opens the port, clears the\n"
    "display (ClearDisplay), writes LINE1 over the whole first line\n"
    "(DisplayStrAt with selector 3) and LINE2 over the second (selector 4),\n"
    "and closes the port. A line is at most 20 columns, one byte each, and\n"
    "holds no control character. Exit status 0 when the display took every\n"
    "command, 1 when one could not be sent, 4 when the port does not open.",
    {kShowPortOption, kParityOption, kBaudOption},
    1,
    2,
    RunShow,
};

extern const CCommand g_cmdClear = {
    "clear",
    "Clear the display.",
    "[--port N] [--parity P] [--baud B]",
    "Through the VF620 library: opens the port, sends ClearDisplay (0C) and\n"
    "closes the port. Exit status as vfdkit show.",
    {kShowPortOption, kParityOption, kBaudOption},
    0,
    0,
    RunClear,
};

namespace
{
constexpr std::size_t kColumns = 20;
constexpr std::int32_t kOrdinalClearDisplay = 9;
constexpr std::int32_t kOrdinalDisplayStrAt = 14;
// DisplayStrAt's selectors that replace a whole line: "A" the first, "B" the second.
constexpr std::int32_t kSelectorLine[] = {3, 4};

// Why a line cannot go to the display as it stands; empty when it can.
std::string CheckLine(const std::string& strLine, int nLine)
{
    const std::string strName = "LINE" + std::to_string(nLine);
    if (strLine.size() > kColumns)
        return strName + " is " + std::to_string(strLine.size()) +
               " columns long, the display has 20: \"" + strLine + "\"";
    for (const char c : strLine)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
        {
            char code[8];
            std::snprintf(code, sizeof code, "%02X", static_cast<unsigned char>(c));
            return strName + " holds the control character " + code +
                   ", which the display would take as a command";
        }
    return {};
}

// Opens the port, runs the calls, closes it: the exit status.
int WithDisplay(const CCommand& command, CArguments& args,
                const std::vector<std::pair<std::int32_t, std::vector<CCallArgument>>>& calls)
{
    auto port = ReadPortOptions(args, false);
    if (!port)
        return Fail(command, kExitUsage, args.m_strError);
    if (port->m_nPort == 0)
        port->m_nPort = 1;
    CDriverLibrary library;
    if (!library.Load())
        return Fail(command, kExitFailed, library.m_strError);
    std::string strError;
    if (!OpenDisplayPort(library, *port, strError))
        return Fail(command, kExitPort, strError);
    int nStatus = kExitOk;
    for (const auto& [nOrdinal, callArgs] : calls)
    {
        const VF620_EXPORT_ENTRY& entry = *library.Ordinal(nOrdinal);
        if (CallExport(entry, callArgs).value_or(0) != 1)
        {
            nStatus = Fail(command, kExitFailed,
                           std::string(entry.pszName) + " could not be sent to port " +
                               std::to_string(port->m_nPort));
            break;
        }
    }
    CloseDisplayPort(library);
    return nStatus;
}

int RunShow(CArguments& args)
{
    auto& lines = args.m_positionals;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (const std::string strWhy = CheckLine(lines[i], static_cast<int>(i) + 1);
            !strWhy.empty())
            return Fail(g_cmdShow, kExitUsage, strWhy);
    std::vector<std::pair<std::int32_t, std::vector<CCallArgument>>> calls = {
        {kOrdinalClearDisplay, {}}};
    for (std::size_t i = 0; i < lines.size(); ++i)
        calls.push_back({kOrdinalDisplayStrAt,
                         {{0, lines[i].data()},
                          {static_cast<std::int64_t>(lines[i].size()), nullptr},
                          {kSelectorLine[i], nullptr}}});
    return WithDisplay(g_cmdShow, args, calls);
}

int RunClear(CArguments& args)
{
    return WithDisplay(g_cmdClear, args, {{kOrdinalClearDisplay, {}}});
}
} // namespace
