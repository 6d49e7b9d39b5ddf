#pragma once

#include "Command.h"
#include "DriverLibrary.h"

#include <cstdint>
#include <optional>
#include <string>

// --port, --parity and --baud, as the commands that open the display's port
// through the library take them.
inline const CArguments::COption kPortOption = {
    "port", "N", "COM port 1 to 255 (see vfdkit ports), a device or rfc2217://HOST:PORT"};
inline const CArguments::COption kParityOption = {
    "parity", "P", "none, odd, even, mark, space or 0 to 4 (default none)"};
inline const CArguments::COption kBaudOption = {"baud", "B",
                                                "line rate in bits per second (default 9600)"};

struct CPortOptions
{
    std::int32_t m_nPort = 0;
    std::int32_t m_nParity = 0;
    std::int32_t m_nBaud = 9600;
};

// --port as a number from nMin to nMax, or as a device path or a network
// address for this run alone: that goes to COM port nMax through
// VFDKIT_COM<nMax> in this process, which every port lookup reads first.
std::optional<long long> ReadPortNumber(CArguments& args, long long nMin, long long nMax,
                                        std::optional<long long> fallback);

// The options' values; nothing, with args.m_strError set, when one is
// malformed. With bRequired false a missing --port gives m_nPort 0 (no
// port to open).
std::optional<CPortOptions> ReadPortOptions(CArguments& args, bool bRequired);

// Opens the port through the library (OpenDComm); false with the message
// for the user in strError when it does not open.
bool OpenDisplayPort(const CDriverLibrary& library, const CPortOptions& options,
                     std::string& strError);
// CloseDComm.
void CloseDisplayPort(const CDriverLibrary& library);
