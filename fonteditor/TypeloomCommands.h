#pragma once

// Every id of the editor in one place: menu, toolbar and accelerator
// commands, the form's controls, status-bar panes and resources, and how a
// command's number maps to a wx id.

// Commands of the main window and the document windows.
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

// Commands the view handles.
inline constexpr int kCmdFileDownload = 32772;
inline constexpr int kCmdFileExport = 32774;
inline constexpr int kCmdEditCopy = 57634;
inline constexpr int kCmdEditCut = 57635;
inline constexpr int kCmdEditPaste = 57637;
inline constexpr int kCmdEditUndo = 57643;
// The Glyph menu (ours, beside the product's menus): whole-glyph changes.
inline constexpr int kCmdGlyphInvert = 32780;
inline constexpr int kCmdGlyphFlipHorizontal = 32781;
inline constexpr int kCmdGlyphFlipVertical = 32782;
inline constexpr int kCmdGlyphShiftLeft = 32783;
inline constexpr int kCmdGlyphShiftRight = 32784;
inline constexpr int kCmdGlyphShiftUp = 32785;
inline constexpr int kCmdGlyphShiftDown = 32786;
// Ours, in the Edit menu: walking the pages of a big font from the keyboard.
inline constexpr int kCmdEditGoToCode = 32788;
inline constexpr int kCmdPagePrevious = 32789;
inline constexpr int kCmdPageNext = 32790;
inline constexpr int kCmdPageFirst = 32791;
inline constexpr int kCmdPageLast = 32792;

// Commands of the print flow (the view's).
inline constexpr int kCmdFilePrint = 57607;
inline constexpr int kCmdFilePrintDirect = 57608;
inline constexpr int kCmdFilePrintPreview = 57609;

// Control ids of the editor's form.
inline constexpr int kIdCharMap = 1000;
inline constexpr int kIdGlyphGrid = 1001;
inline constexpr int kIdWidthGroup = 1002; // radio buttons 1002 to 1005: 8, 16, 24, 32
inline constexpr int kIdGlyphText = 1006;
inline constexpr int kIdOtherHeight = 1007;
inline constexpr int kIdHeightGroup = 1010; // radio buttons 1010 to 1013 and 1015 ("Other")
inline constexpr int kIdPageScrollBar = 1014;
inline constexpr int kIdApply = 1016;

// Status-bar panes after the message pane: the key indicators.
inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;

// Resources.
inline constexpr int kIdrMainFrame = 128; // icon, menu, toolbar and accelerators of the main window
inline constexpr int kIdrFontType = 129;  // icon and menu of the document windows
inline constexpr int kIddAboutBox = 100;

inline constexpr int kRecentFileCount = 4;

// The commands keep their numbers (57600 New, 32772 Download, ...); wx takes
// ids below 32767 only, so commands from 32768 up go by their number less
// 30000 there (New is 27600). Control ids are below 32768 and stay as they
// are.
inline constexpr int kWxCommandOffset = 30000;

constexpr int WxCommandId(int nCommand)
{
    return nCommand >= 0x8000 ? nCommand - kWxCommandOffset : nCommand;
}

constexpr int CommandFromWxId(int nWxId)
{
    return nWxId >= 0x8000 - kWxCommandOffset ? nWxId + kWxCommandOffset : nWxId;
}
