#include "Command.h"

// One line per command; each lives in a file of its own.
extern const CCommand g_cmdInfo;
extern const CCommand g_cmdExport;
extern const CCommand g_cmdCall;
extern const CCommand g_cmdShow;
extern const CCommand g_cmdClear;
extern const CCommand g_cmdDownload;
extern const CCommand g_cmdSend;
extern const CCommand g_cmdSampleFont;
extern const CCommand g_cmdTransform;
#if VFDKIT_PORT_COMMANDS
extern const CCommand g_cmdPorts;
#endif
#if VFDKIT_FONT_SOURCES
extern const CCommand g_cmdImport;
extern const CCommand g_cmdPreview;
#endif

std::span<const CCommand* const> AllCommands()
{
    // One line per command, however many there are.
    // clang-format off
    static const CCommand* const s_commands[] = {
        &g_cmdInfo,
        &g_cmdExport,
        &g_cmdCall,
        &g_cmdShow,
        &g_cmdClear,
        &g_cmdDownload,
        &g_cmdSend,
#if VFDKIT_PORT_COMMANDS
        &g_cmdPorts,
#endif
        &g_cmdSampleFont,
#if VFDKIT_FONT_SOURCES
        &g_cmdImport,
        &g_cmdPreview,
#endif
        &g_cmdTransform,
    };
    // clang-format on
    return s_commands;
}
