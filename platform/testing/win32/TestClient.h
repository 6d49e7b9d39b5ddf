/* For the small Windows programs that load a DLL as a user's program would
 * and report each call: every result printed, each mismatch counted, and a
 * last line the test script looks for. C, so that the programs show the
 * DLLs are usable from plain C. */
#ifndef VFD_TEST_CLIENT_H
#define VFD_TEST_CLIENT_H

#include <stdio.h>
#include <windows.h>

static int g_nClientFaults = 0;

/* Prints what a call gave; counts it as a fault unless it is nWanted. */
static void Expect(const char* pszWhat, long nGot, long nWanted)
{
    printf("%s: %ld\n", pszWhat, nGot);
    if (nGot != nWanted)
    {
        printf("  FAULT: expected %ld\n", nWanted);
        ++g_nClientFaults;
    }
}

/* A function of a library, to be cast to its own prototype. Not FARPROC:
 * on x64 it returns INT_PTR, and GCC warns about casts from it to functions
 * that return int; void (*)(void) is the type it lets every cast go. */
typedef void (*CLIENT_PROC)(void);

/* A function of the library by name, or by ordinal (MAKEINTRESOURCEA). */
static CLIENT_PROC Bind(HMODULE hLibrary, const char* pszName)
{
    CLIENT_PROC pfn = (CLIENT_PROC)GetProcAddress(hLibrary, pszName);
    if (!pfn)
    {
        if (IS_INTRESOURCE(pszName))
            printf("ordinal %u: missing\n", (unsigned)(ULONG_PTR)pszName);
        else
            printf("%s: missing\n", pszName);
        ++g_nClientFaults;
    }
    return pfn;
}

static HMODULE LoadOrSay(const char* pszPath)
{
    HMODULE hLibrary = LoadLibraryA(pszPath);
    if (!hLibrary)
        printf("cannot load %s: error %lu\n", pszPath, (unsigned long)GetLastError());
    return hLibrary;
}

/* The last line and the exit status: "<name>: ok" and 0 only without faults. */
static int Verdict(const char* pszName)
{
    if (g_nClientFaults)
    {
        printf("%s: %d faults\n", pszName, g_nClientFaults);
        return 1;
    }
    printf("%s: ok\n", pszName);
    return 0;
}

#endif
