#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The user-interface seam: modal message boxes and the standard file dialogs,
// as the programs' logic asks for them. The wx layer implements it over real
// windows; tests use CRecordingUserInterface.

enum class EMessageIcon
{
    None,
    Information,
    Warning, // the exclamation icon
    Stop,    // the error (hand) icon
    Question
};

enum class EMessageButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel
};

enum class EMessageResult
{
    Ok,
    Cancel,
    Yes,
    No
};

struct CMessageBoxRequest
{
    std::string m_strText;
    // No caption: the application's title. An empty string is an empty caption.
    std::optional<std::string> m_strCaption;
    EMessageIcon m_icon = EMessageIcon::Warning;
    EMessageButtons m_buttons = EMessageButtons::Ok;

    bool operator==(const CMessageBoxRequest&) const = default;
};

struct CFileDialogRequest
{
    bool m_bOpen = true; // open dialog, else save dialog
    // The framework's filter string: "Name|pattern|Name|pattern|...|" (see ParseFilterString).
    std::string m_strFilter;
    std::string m_strDefaultExt; // without the dot; empty: none
    std::string m_strFileName;   // the name box's initial text
    bool m_bFileMustExist = false;
    bool m_bPathMustExist = false;
    bool m_bOverwritePrompt = false;
    bool m_bHideReadOnly = false;

    bool operator==(const CFileDialogRequest&) const = default;
};

class CUserInterface
{
public:
    virtual ~CUserInterface() = default;

    virtual EMessageResult MessageBox(const CMessageBoxRequest& request) = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> FileDialog(const CFileDialogRequest& request) = 0;

    // The common case: the application's title, one OK button.
    EMessageResult MessageBox(const std::string& strText, EMessageIcon icon = EMessageIcon::Warning,
                              EMessageButtons buttons = EMessageButtons::Ok)
    {
        return MessageBox(CMessageBoxRequest{strText, std::nullopt, icon, buttons});
    }
};

// A program's own message with the cause of the failure on a second line;
// the message alone when there is no cause. The message stays as the
// program defines it, so the first line is all a user of old knows.
inline std::string WithCause(const std::string& strMessage, const std::string& strCause)
{
    return strCause.empty() ? strMessage : strMessage + "\n" + strCause;
}

// One entry of a file-type list: "Dat Files *.dat" and "*.dat".
struct CFileFilter
{
    std::string m_strName;
    std::string m_strPattern;

    bool operator==(const CFileFilter&) const = default;
};

// Splits "Name|pattern|Name|pattern|...|" (a trailing "|" or "||" ends the
// list) into its entries. An empty string gives no entries; a name without a
// pattern is dropped, as the framework ignores it.
std::vector<CFileFilter> ParseFilterString(const std::string& strFilter);

// The name the user typed, with ".ext" added when it has no extension of its
// own and a default extension is given.
std::string ApplyDefaultExtension(const std::string& strPath, const std::string& strDefaultExt);
