#include "TypeloomStrings.h"

#include "TypeloomCommands.h"

#include <algorithm>

namespace
{
constexpr CCommandPrompt kPrompts[] = {
    {kCmdFileNew, "ID_FILE_NEW", "Create a new document", "New"},
    {kCmdFileOpen, "ID_FILE_OPEN", "Open an existing document", "Open"},
    {kCmdFileImport, "ID_FILE_IMPORT",
     "Make a font file from a PSF, BDF, PCF, TrueType or OpenType font", ""},
    {kCmdFileClose, "ID_FILE_CLOSE", "Close the active document", "Close"},
    {kCmdFileSave, "ID_FILE_SAVE", "Save the active document", "Save"},
    {kCmdFileSaveAs, "ID_FILE_SAVE_AS", "Save the active document with a new name", "Save As"},
    {kCmdFilePrintSetup, "ID_FILE_PRINT_SETUP", "Change the printer and printing options",
     "Print Setup"},
    {57607, "ID_FILE_PRINT", "Print the active document", "Print"},
    {57608, "ID_FILE_PRINT_DIRECT", "Print the active document", "Print"},
    {57609, "ID_FILE_PRINT_PREVIEW", "Display full pages", "Print Preview"},
    {32772, "ID_FILE_DOWNLOAD", "Download font by serial port.", ""},
    {32774, "ID_FILE_EXPORT", "", ""},
    {kCmdFileMru1 + 0, "ID_FILE_MRU_FILE1", "Open this document", ""},
    {kCmdFileMru1 + 1, "ID_FILE_MRU_FILE2", "Open this document", ""},
    {kCmdFileMru1 + 2, "ID_FILE_MRU_FILE3", "Open this document", ""},
    {kCmdFileMru1 + 3, "ID_FILE_MRU_FILE4", "Open this document", ""},
    {kCmdAppExit, "ID_APP_EXIT", "Quit the application; prompts to save documents", "Exit"},
    {57643, "ID_EDIT_UNDO", "Undo the last action", "Undo"},
    {57635, "ID_EDIT_CUT", "Cut the selection and put it on the Clipboard", "Cut"},
    {57634, "ID_EDIT_COPY", "Copy the selection and put it on the Clipboard", "Copy"},
    {57637, "ID_EDIT_PASTE", "Insert Clipboard contents", "Paste"},
    {32780, "ID_GLYPH_INVERT", "Light the dark dots of the glyph and darken the lit ones", ""},
    {32781, "ID_GLYPH_FLIP_HORIZONTAL", "Mirror the glyph left to right", ""},
    {32782, "ID_GLYPH_FLIP_VERTICAL", "Mirror the glyph top to bottom", ""},
    {32783, "ID_GLYPH_SHIFT_LEFT", "Move the glyph one dot to the left", ""},
    {32784, "ID_GLYPH_SHIFT_RIGHT", "Move the glyph one dot to the right", ""},
    {32785, "ID_GLYPH_SHIFT_UP", "Move the glyph one dot up", ""},
    {32786, "ID_GLYPH_SHIFT_DOWN", "Move the glyph one dot down", ""},
    {kCmdEditGoToCode, "ID_EDIT_GOTO_CODE", "Show the page of a code and select its glyph", ""},
    {kCmdPagePrevious, "ID_PAGE_PREVIOUS", "Show the previous page of 256 glyphs", ""},
    {kCmdPageNext, "ID_PAGE_NEXT", "Show the next page of 256 glyphs", ""},
    {kCmdPageFirst, "ID_PAGE_FIRST", "Show the first page of the font", ""},
    {kCmdPageLast, "ID_PAGE_LAST", "Show the last page of the font", ""},
    {kCmdViewToolbar, "ID_VIEW_TOOLBAR", "Show or hide the toolbar", "Toggle ToolBar"},
    {kCmdViewStatusBar, "ID_VIEW_STATUS_BAR", "Show or hide the status bar", "Toggle StatusBar"},
    {kCmdWindowNew, "ID_WINDOW_NEW", "Open another window for the active document", "New Window"},
    {kCmdWindowCascade, "ID_WINDOW_CASCADE", "Arrange windows so they overlap", "Cascade Windows"},
    {kCmdWindowTile, "ID_WINDOW_TILE_HORZ", "Arrange windows as non-overlapping tiles",
     "Tile Windows"},
    {kCmdWindowArrange, "ID_WINDOW_ARRANGE", "Arrange icons at the bottom of the window",
     "Arrange Icons"},
    {kCmdAppAbout, "ID_APP_ABOUT", "Display program information, version number and copyright",
     "About"},
    {kCmdNextPane, "ID_NEXT_PANE", "Switch to the next window pane", "Next Pane"},
    {kCmdPrevPane, "ID_PREV_PANE", "Switch back to the previous window pane", "Previous Pane"},
};
} // namespace

std::span<const CCommandPrompt> CommandPrompts()
{
    return kPrompts;
}

const CCommandPrompt* FindCommandPrompt(int nId)
{
    const auto it =
        std::find_if(std::begin(kPrompts), std::end(kPrompts),
                     [nId](const CCommandPrompt& prompt) { return prompt.m_nId == nId; });
    return it == std::end(kPrompts) ? nullptr : &*it;
}
