#pragma once

#include <span>

// The editor's string table.
inline constexpr const char* kAppTitle = "Typeloom"; // application and main window title
inline constexpr const char* kIdleMessage = "Ready"; // the status bar when nothing is going on
inline constexpr const char* kRecentFilePlaceholder = "Recent File"; // an empty recent-file list
inline constexpr const char* kDocumentName = "Font";    // new documents are Font1, Font2, ...
inline constexpr const char* kFilterName = "All Files"; // the one file type of the dialogs

// Key indicators of the status bar, in pane order.
inline constexpr const char* kIndicatorTexts[] = {"CAP", "NUM", "SCRL"};

// The commands of the menus, the toolbar and the accelerators: the number,
// the name the resources give it, what the status bar says while its menu
// item or toolbar button is under the pointer, and the button's tooltip.
struct CCommandPrompt
{
    int m_nId;
    const char* m_pszName;
    const char* m_pszPrompt; // "" for a command without a prompt
    const char* m_pszTip;    // "" for a command without a button
};

std::span<const CCommandPrompt> CommandPrompts();
// The entry of a command; nullptr for a number that is no command.
const CCommandPrompt* FindCommandPrompt(int nId);
