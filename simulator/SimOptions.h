#pragma once

#include "CharacterSets.h"
#include "ConsoleFont.h"
#include "DownloadFaults.h"

#include <optional>
#include <string>
#include <vector>

// vfdsim's command line.
struct CSimOptions
{
    unsigned m_nPort = 1;        // published as VFDKIT_COM<n>
    std::string m_strPortFile;   // gets the "VFDKIT_COM<n>=<device>" line
    std::string m_strLink;       // a symbolic link to the device, for a fixed path
    std::string m_strTranscript; // one JSON object a line
    std::string m_strSaveFont;   // the last received font file
    unsigned m_nIdleMs = 2000;   // quiet time that ends a transfer
    std::string m_strScreenText; // the screen as text, rewritten as it changes
    std::string m_strScreenPng;  // the screen as a picture
    std::string m_strConsoleFont = CConsoleFont::kDefaultPath;
    EDisplayModel m_model = EDisplayModel::VF620;
    std::string m_strSendPipe; // a named pipe whose bytes go out on the line
    unsigned m_nDropAfter = 0; // display-side bytes after which the line drops; 0 never
    CDownloadFaults m_faults;
    bool m_bHelp = false;
    bool m_bVersion = false;
    bool m_bWindow = false;  // the live window (vfdsim built with the GUI)
    std::string m_strListen; // "HOST:PORT": served over TCP instead of a pseudo-terminal
    bool m_bRfc2217 = false; // with m_strListen: the Telnet COM port control option
};

// Nothing, with strError set, when the arguments are wrong.
std::optional<CSimOptions> ParseSimOptions(const std::vector<std::string>& args,
                                           std::string& strError);

const char* SimUsage();
