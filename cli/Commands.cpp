#include "Command.h"

// One line per command; each lives in a file of its own.
extern const CCommand g_cmdInfo;

std::span<const CCommand* const> AllCommands()
{
    static const CCommand* const s_commands[] = {
        &g_cmdInfo,
    };
    return s_commands;
}
