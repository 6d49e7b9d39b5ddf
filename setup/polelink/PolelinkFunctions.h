#pragma once

// The five functions of the display maker's serial library that the setup
// utility calls, declared as it calls them. The library is outside this
// system; standins/polelink builds one with the same exports for machines
// without it.
//
// Four have C linkage and plain names. UpdateFontLib has C++ linkage, so the
// program binds it under its type-decorated name: its argument types are
// part of the binding and must stay exactly as they are.
//
// Only UpdateFontLib's result is looked at; the others return 1 for success
// and 0 for failure in the stand-in, which the program ignores.

#if defined(_WIN32)
#if defined(POLELINK_BUILDING)
#define POLELINK_API __declspec(dllexport)
#else
#define POLELINK_API __declspec(dllimport)
#endif
#else
#define POLELINK_API __attribute__((visibility("default")))
#endif

extern "C"
{
    // Opens the serial connection with the port and baud rate kept in the
    // connection file "./Polelink.ini".
    POLELINK_API int OpenComm();
    POLELINK_API int CloseComm();
    // Sends exactly nLength bytes of pData, unchanged, in call order.
    POLELINK_API int WirteStrData(const char* pData, int nLength);
    // Initialises the display.
    POLELINK_API int Init();
}

// Sends the font file pszPath to the display: character area dwArea (0 for
// 0x20-0x7F, 1 for 0x80-0xFF), page dwPage counted from 1, or every page of
// the area for kPolelinkAllPages. Non-zero for success.
POLELINK_API int UpdateFontLib(const char* pszPath, unsigned long dwArea, unsigned long dwPage);

inline constexpr unsigned long kPolelinkAllPages = 0xFFFFFFFFul;

// Not one of the maker's functions: the stand-in adds it, and the program
// looks it up by this name at run time, so that it runs with either library.
// The cause of the stand-in's latest failure, one line of text ("" for
// none), valid until the next call into the library.
using PolelinkLastErrorTextProc = const char* (*)();
inline constexpr const char* kPolelinkLastErrorTextName = "PolelinkLastErrorText";
