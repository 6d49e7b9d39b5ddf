#include "SimOptions.h"

#include "StandardOptions.h"

#include <charconv>

namespace
{
using EFault = CDownloadFaults::EFault;

struct CFaultOption
{
    const char* m_pszName;
    EFault m_fault;
    // The value's range; m_nMin 0: the option takes no value. A default
    // means the value is optional and then given as --name=N.
    unsigned m_nMin;
    unsigned m_nMax;
    unsigned m_nDefault;
};

constexpr CFaultOption s_faults[] = {
    {"bad-header", EFault::BadHeader, 0, 0, 0},   {"bad-length", EFault::BadLength, 0, 0, 0},
    {"bad-key", EFault::BadKey, 0, 0, 0},         {"bad-checksum", EFault::BadChecksum, 0, 0, 0},
    {"status", EFault::Status, 3, 255, 0},        {"abort", EFault::Abort, 0, 0, 0},
    {"repeat", EFault::Repeat, 1, 100000, 0},     {"silence", EFault::Silence, 0, 0, 0},
    {"short-reply", EFault::ShortReply, 1, 4, 3}, {"long-reply", EFault::LongReply, 1, 255, 5},
    {"hang-up", EFault::HangUp, 0, 0, 0},
};

std::optional<unsigned> Number(const std::string& strText, unsigned nMin, unsigned nMax)
{
    // The same numbers as vfdkit's: decimal or 0x hexadecimal.
    const auto nValue = ParseCommandLineInteger(strText);
    if (!nValue || *nValue < nMin || *nValue > nMax)
        return std::nullopt;
    return static_cast<unsigned>(*nValue);
}
} // namespace

const char* SimUsage()
{
    return "Usage: vfdsim [--port N] [--port-file F] [--link PATH] [--transcript F]\n"
           "              [--save-font F] [--idle-ms MS] [--screen-text F] [--screen-png F]\n"
           "              [--console-font F] [--model M] [--send-pipe F] [--drop-after N]\n"
           "              [--window] [--listen HOST:PORT [--rfc2217]] [FAULT [--at-frame K]]\n"
           "\n"
           "A virtual customer display on a pseudo-terminal. Prints VFDKIT_COM<N>=<device>\n"
           "and answers there as the display would, until stopped (Ctrl+C, SIGTERM).\n"
           "\n"
           "Options (numbers decimal or 0x hexadecimal):\n"
           "  --port N          publish the line as COM port N (1)\n"
           "  --port-file F     also write the VFDKIT_COM<N>=<device> line to F\n"
           "                    (removed again on exit)\n"
           "  --link PATH       make PATH a symbolic link to the line's device, for\n"
           "                    programs set up with a fixed path; removed on exit.\n"
           "                    Refused when PATH exists, unless it is a link into\n"
           "                    /dev/pts whose terminal is gone (a stale link)\n"
           "  --transcript F    write what happens on the line to F, one JSON object a line\n"
           "  --save-font F     write each font received by a complete download to F\n"
           "  --idle-ms MS      quiet time after which a download or a command cut short\n"
           "                    is given up (2000)\n"
           "  --screen-text F   keep the screen as text in F, rewritten as it changes\n"
           "  --screen-png F    keep the screen as a PNG picture in F\n"
           "  --console-font F  the console font (PSF) the picture draws characters with\n"
           "                    (/usr/share/consolefonts/Uni1-VGA16.psf.gz)\n"
           "  --model M         VF620 or VF730: whose code tables 1B 74 n numbers (VF620)\n"
           "  --send-pipe F     create the named pipe F; bytes written to it go out on the\n"
           "                    line as the display's\n"
           "  --drop-after N    drop the line after N display-side bytes, as an unplugged\n"
           "                    cable would; vfdsim ends\n"
           "  --window          show the display live in a window, with the line's\n"
           "                    counters, the last commands and a Faults menu\n"
           "  --listen HOST:PORT\n"
           "                    serve the line over TCP instead of a pseudo-terminal, as\n"
           "                    a port server would (port 0: a free one); the device\n"
           "                    printed is tcp://HOST:PORT\n"
           "  --rfc2217         with --listen: speak the Telnet COM port control option\n"
           "                    (RFC 2217); the device is rfc2217://HOST:PORT\n"
           "  --help, -h        show this help\n"
           "  --version         show the version\n"
           "\n"
           "Faults in the replies to the editor's download (one at most), striking the\n"
           "reply to frame K of every transfer (--at-frame K, 0 = the header, default 0):\n"
           "  --bad-header      reply byte 0 is not 1B\n"
           "  --bad-length      reply byte 1 is not 05\n"
           "  --bad-key         reply byte 2 is not the frame's key\n"
           "  --bad-checksum    reply checksum is wrong\n"
           "  --status S        reply status S (3 to 255)\n"
           "  --abort           reply status 0 before the last frame\n"
           "  --repeat N        ask for the same frame again N times, then take it\n"
           "  --silence         no reply\n"
           "  --short-reply[=N] only the first N bytes of the reply (1 to 4; 3)\n"
           "  --long-reply[=N]  N bytes more after the reply, the reply over again (5)\n"
           "  --hang-up         reply, then drop the line as the next frame goes out;\n"
           "                    vfdsim ends\n";
}

std::optional<CSimOptions> ParseSimOptions(const std::vector<std::string>& args,
                                           std::string& strError)
{
    CSimOptions options;
    bool bAtFrame = false;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        std::string name = args[i];
        std::optional<std::string> value;
        if (name == "-h")
            name = "--help";
        if (name.rfind("--", 0) != 0 || name.size() < 3)
        {
            strError = "unexpected argument \"" + name + "\"";
            return std::nullopt;
        }
        name.erase(0, 2);
        if (const auto eq = name.find('='); eq != std::string::npos)
        {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        // The value of an option that must have one.
        auto take = [&]() -> std::optional<std::string>
        {
            if (value)
                return value;
            if (i + 1 < args.size())
                return args[++i];
            strError = "--" + name + " needs a value";
            return std::nullopt;
        };
        auto number = [&](unsigned nMin, unsigned nMax) -> std::optional<unsigned>
        {
            const auto text = take();
            if (!text)
                return std::nullopt;
            const auto n = Number(*text, nMin, nMax);
            if (!n)
                strError = "--" + name + " must be a number from " + std::to_string(nMin) + " to " +
                           std::to_string(nMax) + ", not \"" + *text + "\"";
            return n;
        };

        if (name == "help")
        {
            options.m_bHelp = true;
            continue;
        }
        if (name == "version")
        {
            options.m_bVersion = true;
            continue;
        }
        if (name == "window")
        {
            options.m_bWindow = true;
            continue;
        }
        if (name == "rfc2217")
        {
            options.m_bRfc2217 = true;
            continue;
        }
        if (name == "listen")
        {
            const auto text = take();
            if (!text)
                return std::nullopt;
            const std::size_t nColon = text->rfind(':');
            const auto nPort = nColon == std::string::npos || nColon == 0
                                   ? std::nullopt
                                   : Number(text->substr(nColon + 1), 0, 65535);
            if (!nPort)
            {
                strError = "--listen needs HOST:PORT (a port from 0 to 65535, 0 for a free one), "
                           "not \"" +
                           *text + "\"";
                return std::nullopt;
            }
            options.m_strListen = *text;
            continue;
        }
        if (name == "port" || name == "idle-ms" || name == "at-frame" || name == "drop-after")
        {
            const auto n = name == "port"         ? number(0, 255)
                           : name == "idle-ms"    ? number(100, 3'600'000)
                           : name == "drop-after" ? number(1, 4'000'000'000u)
                                                  : number(0, 1'000'000);
            if (!n)
                return std::nullopt;
            if (name == "port")
                options.m_nPort = *n;
            else if (name == "idle-ms")
                options.m_nIdleMs = *n;
            else if (name == "drop-after")
                options.m_nDropAfter = *n;
            else
            {
                options.m_faults.m_nAtFrame = *n;
                bAtFrame = true;
            }
            continue;
        }
        if (name == "model")
        {
            const auto text = take();
            if (!text)
                return std::nullopt;
            if (*text != "VF620" && *text != "VF730")
            {
                strError = "--model must be VF620 or VF730, not \"" + *text + "\"";
                return std::nullopt;
            }
            options.m_model = *text == "VF620" ? EDisplayModel::VF620 : EDisplayModel::VF730;
            continue;
        }
        if (name == "port-file" || name == "transcript" || name == "save-font" ||
            name == "screen-text" || name == "screen-png" || name == "console-font" ||
            name == "send-pipe" || name == "link")
        {
            const auto text = take();
            if (!text)
                return std::nullopt;
            if (text->empty())
            {
                strError = "--" + name + " needs a file name";
                return std::nullopt;
            }
            (name == "port-file"      ? options.m_strPortFile
             : name == "link"         ? options.m_strLink
             : name == "transcript"   ? options.m_strTranscript
             : name == "save-font"    ? options.m_strSaveFont
             : name == "screen-text"  ? options.m_strScreenText
             : name == "screen-png"   ? options.m_strScreenPng
             : name == "console-font" ? options.m_strConsoleFont
                                      : options.m_strSendPipe) = *text;
            continue;
        }
        const CFaultOption* pFault = nullptr;
        for (const auto& fault : s_faults)
            if (name == fault.m_pszName)
                pFault = &fault;
        if (!pFault)
        {
            strError = "unknown option --" + name;
            return std::nullopt;
        }
        if (options.m_faults.m_fault != EFault::None)
        {
            strError = "only one fault at a time (--" +
                       std::string(FaultName(options.m_faults.m_fault)) + " and --" + name + ")";
            return std::nullopt;
        }
        options.m_faults.m_fault = pFault->m_fault;
        if (pFault->m_nMin == 0)
        {
            if (value)
            {
                strError = "--" + name + " takes no value";
                return std::nullopt;
            }
            continue;
        }
        if (pFault->m_nDefault && !value)
        {
            options.m_faults.m_nValue = pFault->m_nDefault;
            continue;
        }
        const auto n = number(pFault->m_nMin, pFault->m_nMax);
        if (!n)
            return std::nullopt;
        options.m_faults.m_nValue = *n;
    }
    if (options.m_bRfc2217 && options.m_strListen.empty())
    {
        strError = "--rfc2217 goes with --listen";
        return std::nullopt;
    }
    if (!options.m_strLink.empty() && !options.m_strListen.empty())
    {
        strError = "--link names a pseudo-terminal; with --listen there is none";
        return std::nullopt;
    }
    if (bAtFrame && options.m_faults.m_fault == EFault::None)
    {
        strError = "--at-frame needs a fault to place";
        return std::nullopt;
    }
    return options;
}
