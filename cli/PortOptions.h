#pragma once

#include "Command.h"
#include "DriverLibrary.h"

#include <cstdint>
#include <optional>
#include <string>

// --port, --parity and --baud, as the commands that open the display's port
// through the library take them.
inline const CArguments::COption kPortOption = {
    "port", "N", "COM port number 1 to 255 (which device: see vfdkit ports)"};
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
