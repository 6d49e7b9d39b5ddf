#pragma once

#include "UserInterface.h"

#include <optional>
#include <string>

// The user-interface seam for the command line: message boxes become lines
// on standard error (information on standard output), and a file dialog
// answers with the path given on the command line.
class CConsoleUserInterface final : public CUserInterface
{
public:
    using CUserInterface::MessageBox;

    EMessageResult MessageBox(const CMessageBoxRequest& request) override;
    std::optional<std::string> FileDialog(const CFileDialogRequest& request) override;

    std::optional<std::string> m_strFileAnswer;
    // Put before every message, so a message from deep inside a job still
    // says which command it comes from ("vfdkit export: ").
    std::string m_strPrefix;
    // The last message shown, for the exit status.
    std::string m_strLastMessage;
    EMessageIcon m_lastIcon = EMessageIcon::None;
};
