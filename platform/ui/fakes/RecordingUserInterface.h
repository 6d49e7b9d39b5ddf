#pragma once

#include "UserInterface.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Test double of the user-interface seam: records every message box and
// file dialog in order, and answers from scripted queues (OK and "cancel"
// when a queue is empty).
class CRecordingUserInterface final : public CUserInterface
{
public:
    using CUserInterface::MessageBox;

    EMessageResult MessageBox(const CMessageBoxRequest& request) override;
    std::optional<std::string> FileDialog(const CFileDialogRequest& request) override;

    // The texts of the message boxes shown so far, in order.
    std::vector<std::string> Texts() const;

    std::vector<CMessageBoxRequest> m_messages;
    std::vector<CFileDialogRequest> m_fileDialogs;
    std::deque<EMessageResult> m_answers;
    std::deque<std::optional<std::string>> m_fileAnswers;
    // Runs inside each message box, as a modal box's loop would let other
    // code run (tests use it to look at state at that moment).
    std::function<void(const CMessageBoxRequest&)> m_onMessage;
};
