#include "BusyCursor.h"

#include <wx/utils.h>

void CCommandBusyCursor::Begin()
{
    if (m_bOn)
        return;
    wxBeginBusyCursor();
    m_bOn = true;
}

void CCommandBusyCursor::End()
{
    if (!m_bOn)
        return;
    wxEndBusyCursor();
    m_bOn = false;
}

std::int32_t CBusyVf620Calls::OpenDComm(std::int32_t nPort, std::int32_t nParity,
                                        std::int32_t nBaud)
{
    m_cursor.Begin();
    return m_driver.OpenDComm(nPort, nParity, nBaud);
}

std::int32_t CBusyVf620Calls::SendDStr(const void* pData, std::uint32_t nCount)
{
    m_cursor.Begin();
    return m_driver.SendDStr(pData, nCount);
}

std::int32_t CBusyVf620Calls::CloseDComm()
{
    m_cursor.Begin();
    return m_driver.CloseDComm();
}

std::int32_t CBusyVf620Calls::ClearDisplay()
{
    m_cursor.Begin();
    return m_driver.ClearDisplay();
}

std::int32_t CBusyVf620Calls::DownLoadFile(const char* pszPath, std::uint32_t dwArea)
{
    m_cursor.Begin();
    return m_driver.DownLoadFile(pszPath, dwArea);
}

std::int32_t CBusyVf620Calls::DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                                     std::int32_t nPage)
{
    m_cursor.Begin();
    return m_driver.DownLoadFileSinglePage(pszPath, dwArea, nPage);
}

EMessageResult CBusyAwareUserInterface::MessageBox(const CMessageBoxRequest& request)
{
    CCommandBusyCursor::CPause pause(m_cursor);
    return m_ui.MessageBox(request);
}

std::optional<std::string> CBusyAwareUserInterface::FileDialog(const CFileDialogRequest& request)
{
    CCommandBusyCursor::CPause pause(m_cursor);
    return m_ui.FileDialog(request);
}
