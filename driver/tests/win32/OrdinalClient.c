/* Binds VF620.dll as the download utility does, by ordinal at run time, and
 * sends commands to the display on a COM port. Prints what it did; a test
 * script compares that and the bytes the display received.
 *
 * Usage: OrdinalClient DLL PORT
 * Prints "ordinal client: ok" as its last line when every call gave the
 * expected result, and exits 0 only then. */
#include "win32/TestClient.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

typedef int32_t(__stdcall* OPEN_PORT)(int32_t, int32_t, int32_t);
typedef int32_t(__stdcall* SEND_BYTES)(const void*, uint32_t);
typedef int32_t(__stdcall* NO_ARGUMENTS)(void);
typedef int32_t(__stdcall* DOWNLOAD)(const char*, uint32_t);
typedef int32_t(__stdcall* DOWNLOAD_PAGE)(const char*, uint32_t, uint32_t);

static CLIENT_PROC Ordinal(HMODULE hLibrary, int nOrdinal)
{
    return Bind(hLibrary, MAKEINTRESOURCEA(nOrdinal));
}

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        fprintf(stderr, "usage: OrdinalClient DLL PORT\n");
        return 2;
    }
    HMODULE hLibrary = LoadOrSay(argv[1]);
    if (!hLibrary)
        return 1;
    const int32_t nPort = atoi(argv[2]);

    /* The six ordinals the download utility binds at load time. */
    OPEN_PORT pfnOpen = (OPEN_PORT)Ordinal(hLibrary, 1);
    SEND_BYTES pfnSend = (SEND_BYTES)Ordinal(hLibrary, 2);
    NO_ARGUMENTS pfnClose = (NO_ARGUMENTS)Ordinal(hLibrary, 3);
    NO_ARGUMENTS pfnClear = (NO_ARGUMENTS)Ordinal(hLibrary, 9);
    DOWNLOAD pfnDownload = (DOWNLOAD)Ordinal(hLibrary, 40);
    DOWNLOAD_PAGE pfnDownloadPage = (DOWNLOAD_PAGE)Ordinal(hLibrary, 41);
    if (g_nClientFaults)
        return 1;

    /* Second names share their function; ordinal 12 is the system's. */
    Expect("ordinal 16 is ordinal 1", Ordinal(hLibrary, 16) == (CLIENT_PROC)pfnOpen, 1);
    Expect("ordinal 31 is ordinal 29", Ordinal(hLibrary, 31) == Ordinal(hLibrary, 29), 1);
    Expect("ordinal 12 is user32's SetCursor",
           Ordinal(hLibrary, 12) ==
               (CLIENT_PROC)GetProcAddress(GetModuleHandleA("user32.dll"), "SetCursor"),
           1);
    Expect("OpenDComm by name is ordinal 1",
           (CLIENT_PROC)GetProcAddress(hLibrary, "OpenDComm") == (CLIENT_PROC)pfnOpen, 1);

    /* No port yet: nothing is sent. */
    Expect("ClearDisplay without a port", pfnClear(), 0);

    Expect("OpenDComm", pfnOpen(nPort, 0, 9600), 1);
    Expect("OpenDComm again", pfnOpen(nPort, 0, 9600), 0);
    Expect("ClearDisplay", pfnClear(), 1);
    /* Every byte value, the line's control characters among them. */
    unsigned char bytes[256];
    for (int i = 0; i < 256; ++i)
        bytes[i] = (unsigned char)i;
    Expect("SendDStr of 256 bytes", pfnSend(bytes, sizeof bytes), 1);
    /* The checks before anything is sent; their messages go to stderr. */
    Expect("DownLoadFile without a path", pfnDownload("", 0), 0);
    Expect("DownLoadFileSinglePage without a path", pfnDownloadPage("", 1, 3), 0);
    Expect("CloseDComm", pfnClose(), 1);
    Expect("CloseDComm again", pfnClose(), 0);

    FreeLibrary(hLibrary);
    return Verdict("ordinal client");
}
