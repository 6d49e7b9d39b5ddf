#include "Command.h"
#include "DataExchange.h"
#include "DownloadDlg.h"
#include "FontDownload.h"
#include "GeometryOptions.h"
#include "PortOptions.h"
#include "TextProgressBar.h"

#include <algorithm>
#include <iostream>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace
{
bool ErrorsGoToATerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return ::isatty(STDERR_FILENO) != 0;
#endif
}

int ExitStatusOf(EDownloadResult result)
{
    switch (result)
    {
    case EDownloadResult::Ok:
        return kExitOk;
    case EDownloadResult::OpenPortError:
        return kExitPort;
    case EDownloadResult::OpenFileError:
    case EDownloadResult::ReadFileError:
        return kExitFile;
    default:
        return kExitFailed;
    }
}

int RunSend(CArguments& args);
} // namespace

extern const CCommand g_cmdSend = {
    "send",
    "Send a font file to the display with the font editor's download protocol.",
    "FONT [--port N] [--area A] [--width W] [--height H]",
    "Does what the editor's Download button does: a header frame, then the file\n"
    "in acknowledged frames of at most 250 bytes, 500 ms for each reply. Shows a\n"
    "progress bar on a terminal and prints the result; exits 0 only for\n"
    "\"Download OK!\", 3 when the file cannot be read, 4 when the port cannot be\n"
    "opened, 1 for any other result. Port N is the device in VFDKIT_COM<N>, then\n"
    "the port map (see vfdkit ports), or /dev/ttyS<N-1>; --port also takes a\n"
    "device path or a network address (tcp:// or rfc2217://) for this run.",
    {{"port", "N", "COM port 1 to 9 (1), a device or rfc2217://HOST:PORT"},
     {"area", "A", "font area, an unsigned number; its low 8 bits are sent (0)"},
     kWidthOption,
     kHeightOption},
    1,
    1,
    RunSend,
};

namespace
{
int RunSend(CArguments& args)
{
    // The editor names its ports with one digit: COM1 to COM9.
    const auto nPort = ReadPortNumber(args, 1, 9, 1);
    if (!nPort)
        return Fail(g_cmdSend, kExitUsage, args.m_strError);
    const auto geometry = ReadGeometry(args);
    if (!geometry)
        return Fail(g_cmdSend, kExitUsage, args.m_strError);
    // The dialog's own check of the area, with its message.
    const auto nArea = ParseUnsigned(args.Get("area").value_or("0"));
    if (!nArea)
        return Fail(g_cmdSend, kExitUsage,
                    std::string("--area: ") + kMsgEnterPositiveInteger +
                        " (0 to 4294967295, not \"" + args.Get("area").value_or("") + "\")");
    const std::string& strPath = args.m_positionals[0];
    if (strPath.empty())
    {
        std::cerr << kMsgSaveFileFirst << std::endl;
        return kExitFile;
    }
    // The path first, as the dialog shows it.
    std::cerr << strPath << std::endl;

    CTextProgressBar bar(std::cerr, ErrorsGoToATerminal());
    const auto progress = [&bar](int nFrame, int nFrames) {
        bar.Show({0, nFrames, std::min(nFrame, nFrames)});
    };
    std::string strCause;
    const EDownloadResult result =
        DownloadFont({strPath, *nArea, static_cast<int>(geometry->m_nWidth),
                      static_cast<int>(geometry->m_nHeight), static_cast<int>(*nPort)},
                     progress, CClock::Real(), &strCause);
    bar.Clear();
    // The dialog's message, then the cause on a line of its own.
    (result == EDownloadResult::Ok ? std::cout : std::cerr)
        << WithCause(DownloadMessage(result), strCause) << std::endl;
    return ExitStatusOf(result);
}
} // namespace
