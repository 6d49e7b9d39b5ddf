/* Binds Polelink.dll as the setup utility does, by name, with the C++ name
 * of UpdateFontLib under both compilers' decorations, and sends to the
 * display through the port of "./Polelink.ini".
 *
 * Usage: PolelinkClient DLL
 * Prints "polelink client: ok" as its last line when every call gave the
 * expected result, and exits 0 only then. */
#include "win32/TestClient.h"

#include <stdio.h>
#include <windows.h>

typedef int (*NO_ARGUMENTS)(void);
typedef int (*WRITE_DATA)(const char*, int);
typedef int (*UPDATE_FONT)(const char*, unsigned long, unsigned long);

/* The Windows SDK compiler's name: its x64 decoration marks the pointer. */
#ifdef _WIN64
#define UPDATE_FONT_SDK_NAME "?UpdateFontLib@@YAHPEBDKK@Z"
#else
#define UPDATE_FONT_SDK_NAME "?UpdateFontLib@@YAHPBDKK@Z"
#endif

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: PolelinkClient DLL\n");
        return 2;
    }
    HMODULE hLibrary = LoadOrSay(argv[1]);
    if (!hLibrary)
        return 1;
    NO_ARGUMENTS pfnOpen = (NO_ARGUMENTS)Bind(hLibrary, "OpenComm");
    NO_ARGUMENTS pfnClose = (NO_ARGUMENTS)Bind(hLibrary, "CloseComm");
    NO_ARGUMENTS pfnInit = (NO_ARGUMENTS)Bind(hLibrary, "Init");
    WRITE_DATA pfnWrite = (WRITE_DATA)Bind(hLibrary, "WirteStrData");
    UPDATE_FONT pfnUpdate = (UPDATE_FONT)Bind(hLibrary, "_Z13UpdateFontLibPKcmm");
    CLIENT_PROC pfnUpdateSdk = Bind(hLibrary, UPDATE_FONT_SDK_NAME);
    if (g_nClientFaults)
        return 1;
    Expect("UpdateFontLib's two names are one function", pfnUpdateSdk == (CLIENT_PROC)pfnUpdate, 1);

    Expect("Init without a connection", pfnInit(), 0);
    Expect("OpenComm", pfnOpen(), 1);
    Expect("Init", pfnInit(), 1);
    char bytes[256];
    for (int i = 0; i < 256; ++i)
        bytes[i] = (char)i;
    Expect("WirteStrData of 256 bytes", pfnWrite(bytes, sizeof bytes), 1);
    /* Refused before anything is sent. */
    Expect("UpdateFontLib without a path", pfnUpdate("", 0, 0xFFFFFFFFul), 0);
    Expect("CloseComm", pfnClose(), 1);

    FreeLibrary(hLibrary);
    return Verdict("polelink client");
}
