#include "RecordingUserInterface.h"

EMessageResult CRecordingUserInterface::MessageBox(const CMessageBoxRequest& request)
{
    m_messages.push_back(request);
    if (m_onMessage)
        m_onMessage(request);
    if (m_answers.empty())
        return EMessageResult::Ok;
    const EMessageResult answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> CRecordingUserInterface::FileDialog(const CFileDialogRequest& request)
{
    m_fileDialogs.push_back(request);
    if (m_fileAnswers.empty())
        return std::nullopt;
    auto answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    return answer;
}

std::vector<std::string> CRecordingUserInterface::Texts() const
{
    std::vector<std::string> texts;
    for (const auto& message : m_messages)
        texts.push_back(message.m_strText);
    return texts;
}
