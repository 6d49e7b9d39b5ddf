/*
 * VF620.h: the driver library of a two-line, 20-column serial customer
 * display.
 *
 * Flat C functions. The library holds one serial port for the whole process;
 * every display command goes out through the paced sender SendDStr, one byte
 * at a time with a 20 ms busy wait after each byte, so a command of n bytes
 * takes at least n x 20 ms of the caller's time. Calls block; the library has
 * no threads and no locks, so call it from one thread at a time.
 *
 * Arguments are 32-bit integers or pointers. Where an argument is used as a
 * byte, only its low 8 bits count (0x104 sends 0x04); nothing is range
 * checked unless said below. Results are 32-bit: 1 for success, 0 for
 * failure; the two downloads also return -1. With no port open every command
 * returns 0 at once and sends nothing. The cause of the latest failure is
 * kept as text: VF620_GetLastErrorText (under "Extensions" below).
 *
 * Each of the 41 functions is also reached by a fixed ordinal (the number in
 * brackets before each); VF620_GetProcByOrdinal gives the function of an
 * ordinal. The functions under "Ordinals", "Messages" and "Extensions" have
 * names only.
 *
 * Link with `pkg-config --cflags --libs vf620`, or in CMake
 * `find_package(VF620)` and the target VF620::VF620.
 */
#ifndef VF620_H
#define VF620_H

#include <stdint.h>

/* The calling convention of every function and of the message hook: the
 * standard Windows convention in the DLL (names undecorated, ordinals fixed
 * by VF620.def; x64 has only one, which __stdcall leaves as it is), the
 * platform's C convention elsewhere. */
#if defined(_WIN32)
#define VF620_API __stdcall
#if defined(VF620_BUILDING)
#define VF620_EXPORT
#else
#define VF620_EXPORT __declspec(dllimport)
#endif
#else
#define VF620_API
#if defined(VF620_BUILDING)
#define VF620_EXPORT __attribute__((visibility("default")))
#else
#define VF620_EXPORT
#endif
#endif

/* C linkage for C++ callers, without a brace the formatter would indent by. */
/* clang-format off */
#ifdef __cplusplus
#define VF620_BEGIN_DECLS extern "C" {
#define VF620_END_DECLS }
#else
#define VF620_BEGIN_DECLS
#define VF620_END_DECLS
#endif
/* clang-format on */

VF620_BEGIN_DECLS

/* ---- The port ---------------------------------------------------------- */

/* [1] and [16] OpenDComm1: opens and configures the library's port.
 *   nPort:   low byte = COM port number n. The port named "COM<n>"; on POSIX
 *            the device of that number: the environment variable
 *            VFDKIT_COM<n> when set (VFDKIT_COM3=/dev/ttyUSB0), then the
 *            user's port map ($XDG_CONFIG_HOME/vfdkit/ports, a line
 *            "COM3=/dev/ttyUSB0"), then the system's (/etc/vfdkit/ports),
 *            otherwise /dev/ttyS<n-1>. The device may be a port server's
 *            address, rfc2217://HOST:PORT or tcp://HOST:PORT.
 *   nParity: low byte = parity: 0 none, 1 odd, 2 even, 3 mark, 4 space.
 *   nBaud:   the line rate in bits per second as a number (9600, 38400...).
 * The port is opened exclusively with 8 data bits, one stop bit, the given
 * parity and rate. Read time-outs are left as the port has them: a port just
 * opened has none, so ReceiveStr waits for every byte it asks for (unless
 * VF620_SetReceiveTimeout bounds it). CloseDComm gives the port back with
 * the settings it had before.
 * Returns 1 when the port is open and configured; 0 when a port is already
 * open (that port is left as it was), when the device cannot be opened, or
 * when it rejects the settings (it is then closed again). */
VF620_EXPORT int32_t VF620_API OpenDComm(int32_t nPort, int32_t nParity, int32_t nBaud);
VF620_EXPORT int32_t VF620_API OpenDComm1(int32_t nPort, int32_t nParity, int32_t nBaud);

/* [3] Closes the port. Returns 0 when no port is open; otherwise 1 when the
 * platform reported a clean close, 0 when it reported a failure. The port is
 * forgotten in both cases, so a later OpenDComm can succeed. */
VF620_EXPORT int32_t VF620_API CloseDComm(void);

/* [2] The paced sender: writes the nCount bytes at pData one at a time and
 * busy-waits 20 ms after every byte, the last included (at most 50 bytes a
 * second, one processor kept busy meanwhile).
 * Returns 1 when every byte was written, also for nCount 0 (nothing is sent,
 * no wait); 0 when no port is open (nothing sent, no wait), when pData is
 * NULL with a nonzero count, or when a write fails: sending stops at that
 * byte, the bytes before it have gone out and the port stays open. */
VF620_EXPORT int32_t VF620_API SendDStr(const void* pData, uint32_t nCount);

/* [17] ReceiveStr and [15] ReceiveStrPrn, two functions that behave alike:
 * one read of up to nCount bytes into pBuffer, waiting as the port's read
 * time-outs say (none on a port just opened: the read returns when all
 * nCount bytes have arrived), or at most as long as VF620_SetReceiveTimeout
 * allows. Returns 1 when at least one byte arrived; 0 when no port is
 * open, pBuffer is NULL, the read failed or no byte arrived. The count read
 * is not returned and the buffer is not terminated: clear it first if you
 * need to know how much came. */
VF620_EXPORT int32_t VF620_API ReceiveStr(void* pBuffer, uint32_t nCount);
VF620_EXPORT int32_t VF620_API ReceiveStrPrn(void* pBuffer, uint32_t nCount);

/* [18] Purges the port's queues. nFlags, as on Windows: 0x1 abandon pending
 * writes, 0x2 abandon pending reads, 0x4 clear the output queue, 0x8 clear
 * the input queue (on POSIX the output and input flushes of the line).
 * Returns 1 on success; 0 when no port is open or the purge failed. */
VF620_EXPORT int32_t VF620_API PurgeComm1(uint32_t nFlags);

/* [4] Tells the display to change its own line rate: sends 02 05 42 (30+n)
 * 03. The host port keeps its rate: once the display has switched, close and
 * open again with the matching rate. Display codes: 3 = 1200, 2 = 2400,
 * 1 = 4800, 0 = 9600, 7 = 19200, 6 = 38400 bits per second. */
VF620_EXPORT int32_t VF620_API SetBaudRate(int32_t nCode);

/* ---- Display commands ---------------------------------------------------
 * Each sends the bytes shown (hexadecimal) through SendDStr and returns its
 * result: 1 when every byte was sent, 0 when no port is open or a write
 * failed (the leading bytes may then have gone out). n, a and b stand for
 * the low 8 bits of the arguments; additions are modulo 256. */

/* [5]  1B 40: initialise the display. */
VF620_EXPORT int32_t VF620_API InitDisplay(void);
/* [6]  02 05 52 (30+n) 03: display language (1 international, 0 Chinese). */
VF620_EXPORT int32_t VF620_API DisplayModal(int32_t n);
/* [7]  1B (10+n): 1 gives 1B 11, 2 gives 1B 12, 3 gives 1B 13. */
VF620_EXPORT int32_t VF620_API SelectMode(int32_t n);
/* [8]  02 05 43 30 03. */
VF620_EXPORT int32_t VF620_API InitDisplay1(void);
/* [9]  0C: clear the display. */
VF620_EXPORT int32_t VF620_API ClearDisplay(void);
/* [10] 1B 2A n. */
VF620_EXPORT int32_t VF620_API SetDimming(int32_t n);
/* [11] 18: clear the cursor line. */
VF620_EXPORT int32_t VF620_API ClearCursorLine(void);
/* [13] 1B 72 n. */
VF620_EXPORT int32_t VF620_API SetReverse(int32_t n);

/* [14] Shows up to 20 bytes of text: 1B 51 c, the first nLength bytes of
 * pText as they are (no terminator needed), 0D. nLength is unsigned and cut
 * to 20 (so -1 sends 20 bytes). nSelector gives c: 1 -> 31 ("1"),
 * 2 -> 32 ("2"), 3 -> 41 ("A"), 4 -> 42 ("B"), 5 -> 44 ("D"). Any other
 * selector, or a NULL pText with a nonzero length, sends nothing and
 * returns 0. */
VF620_EXPORT int32_t VF620_API DisplayStrAt(const void* pText, uint32_t nLength, int32_t nSelector);

/* [19] 08, [20] 09, [21] 0A, [22] 1F 0A, [23] 0B, [24] 0D, [25] 1F 0D,
 * [26] 1F 42: the cursor moves left, right, down, up, home, to the left end,
 * to the right end, to the bottom. */
VF620_EXPORT int32_t VF620_API MoveCurToLeft(void);
VF620_EXPORT int32_t VF620_API MoveCurToRight(void);
VF620_EXPORT int32_t VF620_API MoveCurDownLine(void);
VF620_EXPORT int32_t VF620_API MoveCurUpLine(void);
VF620_EXPORT int32_t VF620_API MoveCurToHome(void);
VF620_EXPORT int32_t VF620_API MoveCurToMLeft(void);
VF620_EXPORT int32_t VF620_API MoveCurToMRight(void);
VF620_EXPORT int32_t VF620_API MoveCurToBottom(void);
/* [27] 1F 24 a b: the cursor to a position, a first. */
VF620_EXPORT int32_t VF620_API MoveCurToSpePosition(int32_t a, int32_t b);
/* [28] 1B 25 n: select or cancel the user-defined character set. */
VF620_EXPORT int32_t VF620_API SetUserFontSet(int32_t n);
/* [29] and [31] SetInterChaSet, one function: 1B 52 n, the international
 * character set. */
VF620_EXPORT int32_t VF620_API SetInterFontSet(int32_t n);
VF620_EXPORT int32_t VF620_API SetInterChaSet(int32_t n);
/* [30] 1B 3F n: cancel a user-defined character. */
VF620_EXPORT int32_t VF620_API CancelUserDfont(int32_t n);
/* [32] 1B 3D n: select the peripheral device. */
VF620_EXPORT int32_t VF620_API SeCanPeriphalDevice(int32_t n);
/* [33] 1B 74 n: character code table. */
VF620_EXPORT int32_t VF620_API SelChaCodeTable(int32_t n);
/* [34] 1F n: the argument itself after US (1 gives 1F 01). */
VF620_EXPORT int32_t VF620_API SelectDisMode(int32_t n);
/* [35] 1F 45 n: blink interval (0 stops blinking). */
VF620_EXPORT int32_t VF620_API SetInterForBlink(int32_t n);
/* [36] 1F 58 n: brightness (1 to 4 for 40% to 100%). */
VF620_EXPORT int32_t VF620_API SetBrightness(int32_t n);
/* [37] 1F 23 a b, a first. */
VF620_EXPORT int32_t VF620_API SetWarnAtColumn(int32_t a, int32_t b);
/* [38] 1F 40: the display's self test. */
VF620_EXPORT int32_t VF620_API ExeSelfTest(void);
/* [39] 1B 26: only the header of a user-defined character; send the
 * definition that follows with SendDStr. */
VF620_EXPORT int32_t VF620_API DefineUserfont(void);

/* [12] SetCursor is no display command. The Windows DLL re-exports the
 * window system's mouse-cursor function under this name and ordinal; other
 * builds have no window-system cursor to hand on and do not provide it:
 * VF620_GetProcByOrdinal(12) is NULL there. */

/* ---- Font download ------------------------------------------------------
 * Both read a font file (sent as the flat bytes it holds), show
 * "Downloading..." on the display, send 260-byte frames 1B 53 area page and
 * 256 bytes (area code 02 for dwArea 0, 03 for dwArea 1), then show
 * "Download Complete!" blinking for 3 s and initialise the display. They take
 * 6 to 36 seconds; their pauses run even when no port is open. Messages go
 * to the message hook (below); the call waits until the hook returns.
 *
 * The checks, in order, each ending the call with nothing sent:
 *   pszPath NULL or empty   message "Please select the file path first!"
 *                           (single page: "Please select file path first!"),
 *                           result 0;
 *   file cannot be read     message naming the file and the cause, result 0;
 *   file of 0 bytes         message "The selected file is empty!", result -1;
 *   dwArea neither 0 nor 1  message "\"dwArea\" must be '0' (0x20 to 0x7F)
 *                           && '1' (0x80 to 0xFF)!", result -1 (single page:
 *                           0).
 * A file shorter than the pages a call sends is read only to its end; the
 * missing bytes go out as zeros. */

/* [40] All pages of a character area: 6 pages (file bytes 0 to 1,535) for
 * dwArea 0 (characters 0x20 to 0x7F), 8 pages (bytes 0 to 2,047) for
 * dwArea 1 (0x80 to 0xFF), each followed by a 4 s pause. About 28 s for
 * area 0, 36 s for area 1. Returns the result of the last frame's write:
 * 1, or 0 when it failed or no port is open. */
VF620_EXPORT int32_t VF620_API DownLoadFile(const char* pszPath, uint32_t dwArea);

/* [41] One frame carrying file bytes 0 to 255 whatever nPage is; the low
 * byte of nPage goes into the frame as the page number (no range check).
 * A 2 s pause follows it; about 6 s in all. Returns 1 when the frame was
 * written, 0 when it failed or no port is open. */
VF620_EXPORT int32_t VF620_API DownLoadFileSinglePage(const char* pszPath, uint32_t dwArea,
                                                      int32_t nPage);

/* ---- Ordinals ------------------------------------------------------------
 * Programs that bind the library by ordinal get the functions here; on
 * Windows GetProcAddress with the ordinal gives the same functions. */

/* A function of the table, to be cast to its own prototype before a call. */
typedef void(VF620_API* VF620_PROC)(void);

/* One ordinal. pszArgs describes the parameters, one letter each:
 *   'i' int32_t, 'u' uint32_t,
 *   's' const void*, bytes the function reads,
 *   'b' void*, a buffer the function fills,
 *   'n' uint32_t, the byte count of the 's' or 'b' before it,
 *   'z' const char*, a zero-terminated file name,
 *   'h' a window-system handle (ordinal 12 only; it returns one too).
 * Every other function returns int32_t. pfnProc is NULL for an ordinal
 * this build does not provide. */
typedef struct VF620_EXPORT_ENTRY
{
    int32_t nOrdinal;
    const char* pszName;
    const char* pszArgs;
    VF620_PROC pfnProc;
} VF620_EXPORT_ENTRY;

/* The function of ordinal nOrdinal (1 to 41): [16] is the function of [1],
 * [31] that of [29]. NULL for any other number and for an ordinal this
 * build does not provide. */
VF620_EXPORT VF620_PROC VF620_API VF620_GetProcByOrdinal(int32_t nOrdinal);

/* The table entry of ordinal nOrdinal (1 to 41), NULL for any other number.
 * Entries live as long as the library is loaded. */
VF620_EXPORT const VF620_EXPORT_ENTRY* VF620_API VF620_GetExport(int32_t nOrdinal);

/* ---- Messages -------------------------------------------------------------
 * The downloads show messages (empty path, unreadable or empty file, bad
 * area). A program shows them its own way by installing a hook: the library
 * calls it with the text (valid during the call) and the context given here,
 * and waits until it returns. With no hook (or after installing NULL) each
 * message goes to standard error as one line "VF620: <text>". The hook is
 * process-wide, like the port. */
typedef void(VF620_API* VF620_MESSAGE_HOOK)(const char* pszText, void* pContext);

VF620_EXPORT void VF620_API VF620_SetMessageHook(VF620_MESSAGE_HOOK pfnHook, void* pContext);

/* ---- Extensions -----------------------------------------------------------
 * Reached by name only (dlsym, or GetProcAddress with the name): they have
 * no ordinal and no entry in the ordinal table. A program that must also run
 * with a library without them looks them up and does without when they are
 * missing. */

/* The cause of the latest failure of a library function, one line of text
 * naming the device where there is one: "/dev/ttyUSB0: permission denied:
 * ...", "no port is open", "/dev/pts/3: no byte arrived within 500 ms". ""
 * while nothing has failed. A call that fails replaces it; one that succeeds
 * leaves it, so read it straight after the call that returned 0 (or -1).
 * The text belongs to the library and stays valid until the next call of any
 * library function; copy it to keep it. It is one for the whole process,
 * like the port: call from one thread at a time. Never NULL. */
VF620_EXPORT const char* VF620_API VF620_GetLastErrorText(void);

/* Bounds every later ReceiveStr and ReceiveStrPrn: the whole read ends after
 * at most nMilliseconds, with what has arrived by then (result 0 when
 * nothing did). 0, the default, takes the bound away: reads wait as the
 * port's read time-outs say, which on a port the library opened means until
 * all nCount bytes are in. Process-wide; it stays set across CloseDComm and
 * OpenDComm. */
VF620_EXPORT void VF620_API VF620_SetReceiveTimeout(uint32_t nMilliseconds);

VF620_END_DECLS

#endif /* VF620_H */
