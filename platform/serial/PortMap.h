#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

// Which device a COM port number names. In order: the environment variable
// VFDKIT_COM<n>, the user's map ($XDG_CONFIG_HOME/vfdkit/ports, by default
// ~/.config/vfdkit/ports), the system's map (/etc/vfdkit/ports), and last
// /dev/ttyS<n-1>. A map holds lines "COM3=/dev/serial/by-id/usb-..."; '#'
// starts a comment. On Windows the COM names are the system's own, and only
// the variable applies.

struct CPortMapEntry
{
    std::string m_strDevice;
    std::string m_strFile;
    int m_nLine = 0;
};

// A map file's entries by port number; a malformed line is reported on
// pWarnings as "<file>:<line>: <why>" and skipped. A missing file is empty.
std::map<unsigned, CPortMapEntry> ReadPortMap(const std::string& strFile, std::ostream* pWarnings);

struct CPortResolution
{
    std::string m_strDevice;
    // Where the mapping came from: "VFDKIT_COM3", "<file>:<line>" or "default".
    std::string m_strSource;
};

// The user's map file, wherever the environment puts it ("" without a home).
std::string UserPortMapPath();
inline constexpr const char* SYSTEM_PORT_MAP = "/etc/vfdkit/ports";

// The resolution through the given map files, in order (tests pass their own).
CPortResolution ResolveComPort(unsigned nPort, const std::vector<std::string>& vecMapFiles,
                               std::ostream* pWarnings);
// Through the user's and the system's map, warnings on stderr.
CPortResolution ResolveComPort(unsigned nPort);

class CSerialPort;

// What to tell the user when COM port nPort, resolved as resolution says,
// did not open: the port's own cause, and for a device that is not there,
// where the mapping to it came from.
std::string ComPortOpenError(unsigned nPort, const CPortResolution& resolution,
                             const CSerialPort& port);

// Sets or removes (empty strDevice) one entry in a map file, keeping every
// other line and comment; written atomically. False with the cause in strError.
bool EditPortMap(const std::string& strFile, unsigned nPort, const std::string& strDevice,
                 std::string& strError);
