#pragma once

#include "DownloadFaults.h"

#include <optional>
#include <string>
#include <vector>

// vfdsim's command line.
struct CSimOptions
{
    unsigned m_nPort = 1;        // published as VFDKIT_COM<n>
    std::string m_strPortFile;   // gets the "VFDKIT_COM<n>=<device>" line
    std::string m_strTranscript; // one JSON object a line
    std::string m_strSaveFont;   // the last received font file
    unsigned m_nIdleMs = 2000;   // quiet time that ends a transfer
    CDownloadFaults m_faults;
    bool m_bHelp = false;
};

// Nothing, with strError set, when the arguments are wrong.
std::optional<CSimOptions> ParseSimOptions(const std::vector<std::string>& args,
                                           std::string& strError);

const char* SimUsage();
