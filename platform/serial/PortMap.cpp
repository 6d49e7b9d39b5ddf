#include "PortMap.h"

#include "AtomicFile.h"
#include "SerialPort.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

namespace
{
std::string Trim(const std::string& str)
{
    const auto nBegin = str.find_first_not_of(" \t\r");
    if (nBegin == std::string::npos)
        return {};
    const auto nEnd = str.find_last_not_of(" \t\r");
    return str.substr(nBegin, nEnd - nBegin + 1);
}

// "COM3" (any case) to 3; nothing for anything else or COM0.
std::optional<unsigned> PortNumberOf(const std::string& strName)
{
    if (strName.size() < 4 || strName.size() > 7)
        return std::nullopt;
    for (std::size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(strName[i])) != "COM"[i])
            return std::nullopt;
    unsigned nPort = 0;
    for (std::size_t i = 3; i < strName.size(); ++i)
    {
        if (!std::isdigit(static_cast<unsigned char>(strName[i])))
            return std::nullopt;
        nPort = nPort * 10 + static_cast<unsigned>(strName[i] - '0');
    }
    if (nPort == 0 || nPort > 255)
        return std::nullopt;
    return nPort;
}

struct CParsedLine
{
    unsigned m_nPort = 0;
    std::string m_strDevice;
};

// Nothing and no error for a blank line or a comment.
std::optional<CParsedLine> ParseLine(const std::string& strRaw, std::string& strError)
{
    strError.clear();
    std::string strLine = strRaw;
    if (const auto nHash = strLine.find('#'); nHash != std::string::npos)
        strLine.erase(nHash);
    strLine = Trim(strLine);
    if (strLine.empty())
        return std::nullopt;
    const auto nEquals = strLine.find('=');
    if (nEquals == std::string::npos)
    {
        strError = "expected COM<n>=<device>, found \"" + strLine + "\"";
        return std::nullopt;
    }
    const std::string strName = Trim(strLine.substr(0, nEquals));
    const std::string strDevice = Trim(strLine.substr(nEquals + 1));
    const auto nPort = PortNumberOf(strName);
    if (!nPort)
    {
        strError = "\"" + strName + "\" is not a port name (COM1 to COM255)";
        return std::nullopt;
    }
    if (strDevice.empty())
    {
        strError = strName + " names no device";
        return std::nullopt;
    }
    return CParsedLine{*nPort, strDevice};
}

} // namespace

std::map<unsigned, CPortMapEntry> ReadPortMap(const std::string& strFile, std::ostream* pWarnings)
{
    std::map<unsigned, CPortMapEntry> entries;
    std::ifstream in(strFile);
    std::string strLine;
    std::string strError;
    for (int nLine = 1; std::getline(in, strLine); ++nLine)
    {
        const auto parsed = ParseLine(strLine, strError);
        if (!strError.empty())
        {
            if (pWarnings)
                *pWarnings << strFile << ":" << nLine << ": " << strError << ", line skipped\n";
            continue;
        }
        // The first entry for a port wins, as the first source does.
        if (parsed)
            entries.try_emplace(parsed->m_nPort,
                                CPortMapEntry{parsed->m_strDevice, strFile, nLine});
    }
    return entries;
}

std::string UserPortMapPath()
{
    // The base directory rules: a relative XDG_CONFIG_HOME is to be ignored.
    if (const char* pszConfig = std::getenv("XDG_CONFIG_HOME"); pszConfig && *pszConfig == '/')
        return std::string(pszConfig) + "/vfdkit/ports";
    if (const char* pszHome = std::getenv("HOME"); pszHome && *pszHome)
        return std::string(pszHome) + "/.config/vfdkit/ports";
    return {};
}

CPortResolution ResolveComPort(unsigned nPort, const std::vector<std::string>& vecMapFiles,
                               std::ostream* pWarnings)
{
    // The variable is honoured everywhere: it is how a virtual display or
    // an adapter with another name stands in for a numbered port.
    const std::string strVariable = "VFDKIT_COM" + std::to_string(nPort);
    if (const char* pszDevice = std::getenv(strVariable.c_str()); pszDevice && *pszDevice)
        return {pszDevice, strVariable};
#ifdef _WIN32
    (void)vecMapFiles;
    (void)pWarnings;
    // The device namespace prefix reaches COM10 and above as well.
    return {"\\\\.\\COM" + std::to_string(nPort), "default"};
#else
    if (nPort == 0)
        return {}; // COM ports count from 1: there is no COM0
    for (const std::string& strFile : vecMapFiles)
    {
        if (strFile.empty())
            continue;
        const auto entries = ReadPortMap(strFile, pWarnings);
        if (const auto it = entries.find(nPort); it != entries.end())
            return {it->second.m_strDevice,
                    it->second.m_strFile + ":" + std::to_string(it->second.m_nLine)};
    }
    return {"/dev/ttyS" + std::to_string(nPort - 1), "default"};
#endif
}

CPortResolution ResolveComPort(unsigned nPort)
{
    return ResolveComPort(nPort, {UserPortMapPath(), SYSTEM_PORT_MAP}, &std::cerr);
}

bool EditPortMap(const std::string& strFile, unsigned nPort, const std::string& strDevice,
                 std::string& strError)
{
    if (strFile.empty())
    {
        strError = "no home folder: cannot place the user's port map";
        return false;
    }
    std::string strOut;
    bool bPlaced = false;
    {
        std::ifstream in(strFile);
        std::string strLine;
        std::string strLineError;
        while (std::getline(in, strLine))
        {
            const auto parsed = ParseLine(strLine, strLineError);
            if (parsed && parsed->m_nPort == nPort)
            {
                // Later entries for the port would be dead: they go as well.
                if (!strDevice.empty() && !bPlaced)
                    strOut += "COM" + std::to_string(nPort) + "=" + strDevice + "\n";
                bPlaced = true;
                continue;
            }
            strOut += strLine + "\n";
        }
    }
    if (!bPlaced && !strDevice.empty())
        strOut += "COM" + std::to_string(nPort) + "=" + strDevice + "\n";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(strFile).parent_path(), ec);
    return WriteFileAtomically(strFile, strOut.data(), strOut.size(), &strError);
}

std::string ComPortOpenError(unsigned nPort, const CPortResolution& resolution,
                             const CSerialPort& port)
{
    const std::string strPort = "COM" + std::to_string(nPort);
    if (resolution.m_strDevice.empty())
        return strPort + ": no device is set for this port";
    const std::string& strText = port.GetLastError();
    if (port.GetLastFault() != ESerialFault::NoDevice)
        return strText;
    // A missing device is most often a mapping gone stale (an adapter that
    // came back under another name): say which one to mend.
    if (resolution.m_strSource == "VFDKIT_COM" + std::to_string(nPort))
        return strText + " (" + strPort + " is mapped to it by the variable " +
               resolution.m_strSource + ")";
    if (resolution.m_strSource != "default")
        return strText + " (" + strPort + " is mapped to it at " + resolution.m_strSource + ")";
#ifdef _WIN32
    return strText;
#else
    const std::string strMap = UserPortMapPath();
    return strText + " (" + strPort + "'s default device; map " + strPort +
           " to your device with a line \"" + strPort + "=/dev/...\" in " +
           (strMap.empty() ? std::string(SYSTEM_PORT_MAP) : strMap) + " or set VFDKIT_COM" +
           std::to_string(nPort) + ")";
#endif
}
