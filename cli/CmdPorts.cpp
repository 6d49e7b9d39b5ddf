#include "Command.h"
#include "PortMap.h"
#include "PortSurvey.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace
{
int RunPorts(CArguments& args);
} // namespace

extern const CCommand g_cmdPorts = {
    "ports",
    "Show where COM1 to COM16 lead and the serial devices present; map a port.",
    "[--json]\n"
    "       vfdkit ports map COMn DEVICE\n"
    "       vfdkit ports unmap COMn",
    "A port number reaches a device through VFDKIT_COM<n> when set, then the\n"
    "user's map ($XDG_CONFIG_HOME/vfdkit/ports, by default ~/.config/vfdkit/ports),\n"
    "then the system's (/etc/vfdkit/ports), else /dev/ttyS<n-1>. For each port:\n"
    "the device, whether it is missing, a terminal, open to this user (read and\n"
    "write) and busy (held by another process, with its number and name, as far\n"
    "as this user may see), and where the mapping came from. Then the serial\n"
    "devices present: /dev/serial/by-id links, ttyUSB, ttyACM and the ttyS that\n"
    "are serial ports, with the USB vendor, product and serial number.\n"
    "map and unmap set or remove one line of the user's map, keeping its other\n"
    "lines and comments; the file is replaced whole or not at all. COMn is COM1\n"
    "to COM255 (or the bare number).",
    {{"json", "", "print the report as JSON (keys in docs/vfdkit.md)"}},
    0,
    3,
    RunPorts,
};

namespace
{
int Usage(const std::string& strMessage)
{
    return Fail(g_cmdPorts, kExitUsage, strMessage + " (see vfdkit ports --help)");
}

int RunMap(CArguments& args)
{
    const auto& words = args.m_positionals;
    const bool bMap = words[0] == "map";
    if (words.size() != (bMap ? 3u : 2u))
        return Usage(bMap ? "ports map takes COMn and DEVICE" : "ports unmap takes COMn");
    const auto nPort = ParseComPortName(words[1]);
    if (!nPort)
        return Usage("COMn must be COM1 to COM255, not \"" + words[1] + "\"");
    const std::string strPort = "COM" + std::to_string(*nPort);
    const std::string strFile = UserPortMapPath();
    std::string strError;
    if (!bMap)
    {
        if (!ReadPortMap(strFile, &std::cerr).count(*nPort))
        {
            std::cout << strPort << " is not in " << strFile << ": nothing to remove\n";
            return kExitOk;
        }
        if (!EditPortMap(strFile, *nPort, "", strError))
            return Fail(g_cmdPorts, kExitFile, strError);
        std::cout << strPort << " removed from " << strFile << "\n";
        return kExitOk;
    }
    const std::string& strDevice = words[2];
    // The line holds the path as it stands: a blank or a '#' at its ends,
    // a line break or a relative path would read back as another one.
    if (strDevice.empty() || strDevice.front() != '/')
        return Usage("DEVICE must be an absolute path (/dev/ttyUSB0), not \"" + strDevice + "\"");
    if (strDevice.find_first_of("#\n\r") != std::string::npos ||
        std::isspace(static_cast<unsigned char>(strDevice.back())))
        return Usage("DEVICE cannot hold '#', a line break or end in a blank: \"" + strDevice +
                     "\"");
    if (!EditPortMap(strFile, *nPort, strDevice, strError))
        return Fail(g_cmdPorts, kExitFile, strError);
    std::cout << strPort << "=" << strDevice << " in " << strFile << "\n";
    std::error_code ec;
    if (!std::filesystem::exists(strDevice, ec))
        std::cerr << "vfdkit ports: note: " << strDevice << " does not exist now\n";
    const std::string strVariable = "VFDKIT_" + strPort;
    if (const char* pszSet = std::getenv(strVariable.c_str()); pszSet && *pszSet)
        std::cerr << "vfdkit ports: note: " << strVariable << "=" << pszSet
                  << " is set and wins over the map\n";
    return kExitOk;
}

int RunPorts(CArguments& args)
{
    if (!args.m_positionals.empty())
    {
        const std::string& strAction = args.m_positionals[0];
        if (strAction != "map" && strAction != "unmap")
            return Usage("\"" + strAction + "\" is no action: map or unmap");
        if (args.Has("json"))
            return Usage("--json is for the report, not for " + strAction);
        return RunMap(args);
    }
    const CSurveyRoots roots;
    // A malformed line is reported once, not for every port.
    const std::vector<std::string> mapFiles = {UserPortMapPath(), SYSTEM_PORT_MAP};
    for (const std::string& strFile : mapFiles)
        if (!strFile.empty())
            ReadPortMap(strFile, &std::cerr);
    std::vector<CComPortState> ports;
    for (unsigned nPort = 1; nPort <= 16; ++nPort)
    {
        const CPortResolution resolved = ResolveComPort(nPort, mapFiles, nullptr);
        ports.push_back(SurveyComPort(nPort, resolved.m_strDevice, resolved.m_strSource, roots));
    }
    const auto devices = SurveySerialDevices(roots);
    std::cout << (args.Has("json") ? FormatSurveyJson(ports, devices)
                                   : FormatSurvey(ports, devices));
    return kExitOk;
}
} // namespace
