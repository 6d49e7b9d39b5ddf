#include "ConsoleUserInterface.h"

#include <iostream>

EMessageResult CConsoleUserInterface::MessageBox(const CMessageBoxRequest& request)
{
    m_strLastMessage = request.m_strText;
    m_lastIcon = request.m_icon;
    auto& out = request.m_icon == EMessageIcon::Information ? std::cout : std::cerr;
    out << m_strPrefix << request.m_strText << std::endl;
    // No one to ask: questions take their first answer, as Enter would.
    switch (request.m_buttons)
    {
    case EMessageButtons::YesNo:
    case EMessageButtons::YesNoCancel:
        return EMessageResult::Yes;
    default:
        return EMessageResult::Ok;
    }
}

std::optional<std::string> CConsoleUserInterface::FileDialog(const CFileDialogRequest&)
{
    return m_strFileAnswer;
}
