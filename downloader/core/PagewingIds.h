#pragma once

// Pagewing's resource, control and command ids, all in one place: the
// resources in Pagewing.xrc are named by the same numbers.

// Dialog resource 102 and its controls.
inline constexpr int IDD_PAGEWING_DIALOG = 102;
inline constexpr int IDC_FILE_PATH = 1000;
inline constexpr int IDC_BROWSE = 1001;
inline constexpr int IDC_AREA_LOW = 1002;  // "0x20 To 0x7F", first of the radio group
inline constexpr int IDC_AREA_HIGH = 1003; // "0x80 To 0xFF"
inline constexpr int IDC_PAGE_NO = 1004;
inline constexpr int IDC_OPEN = 1005;
inline constexpr int IDC_CLOSE = 1006;
inline constexpr int IDC_PORT = 1010;
inline constexpr int IDC_PARITY = 1011;
inline constexpr int IDC_BAUD = 1012;
inline constexpr int IDC_DOWNLOAD_SINGLE_PAGE = 1013;
inline constexpr int IDC_DOWNLOAD_ALL = 1014;
inline constexpr int IDC_STATUS = 1016;
inline constexpr int IDC_DISPLAY_ASCII = 1017;
inline constexpr int IDC_DISPLAY_PC = 1018;
inline constexpr int IDC_CLEAR_DISPLAY = 1019;
// The program's icon.
inline constexpr int IDR_MAINFRAME = 128;

// The About box and the command that opens it (system menu, context menu, F1).
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDM_ABOUTBOX = 0x10;
