#pragma once

// Command ids of the editor's menus, toolbar and accelerators. The view's
// own commands (Edit, Download, Export) are in TypeloomView.h, the print
// commands in WxTypeloomView.h.
inline constexpr int kCmdFileNew = 57600;
inline constexpr int kCmdFileOpen = 57601;
inline constexpr int kCmdFileClose = 57602;
inline constexpr int kCmdFileSave = 57603;
inline constexpr int kCmdFileSaveAs = 57604;
// Ours, beside the product's File menu: File > Import... (after Open).
inline constexpr int kCmdFileImport = 32787;
inline constexpr int kCmdFilePrintSetup = 57606;
inline constexpr int kCmdFileMru1 = 57616; // recent files 57616 to 57619
inline constexpr int kCmdWindowNew = 57648;
inline constexpr int kCmdWindowArrange = 57649;
inline constexpr int kCmdWindowCascade = 57650;
inline constexpr int kCmdWindowTile = 57651;
inline constexpr int kCmdAppAbout = 57664;
inline constexpr int kCmdAppExit = 57665;
inline constexpr int kCmdNextPane = 57680;
inline constexpr int kCmdPrevPane = 57681;
inline constexpr int kCmdViewToolbar = 59392;
inline constexpr int kCmdViewStatusBar = 59393;

// Status-bar panes after the message pane: the key indicators.
inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;

// Resources.
inline constexpr int kIdrMainFrame = 128; // icon, menu, toolbar and accelerators of the main window
inline constexpr int kIdrFontType = 129;  // icon and menu of the document windows
inline constexpr int kIddAboutBox = 100;

inline constexpr int kRecentFileCount = 4;
