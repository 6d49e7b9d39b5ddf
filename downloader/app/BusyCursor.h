#pragma once

#include "UserInterface.h"
#include "Vf620Calls.h"

// The busy cursor of one command of the dialog: on from the command's first
// call into the driver library (a download blocks the window for up to 36 s,
// the test screens for seconds) until the command ends, and off while a
// message box or file dialog waits for the user.
class CCommandBusyCursor
{
public:
    CCommandBusyCursor() = default;
    ~CCommandBusyCursor() { End(); }
    CCommandBusyCursor(const CCommandBusyCursor&) = delete;
    CCommandBusyCursor& operator=(const CCommandBusyCursor&) = delete;

    void Begin();
    void End();
    bool IsOn() const { return m_bOn; }

    // The normal pointer while it lives, the busy one again after.
    class CPause
    {
    public:
        explicit CPause(CCommandBusyCursor& cursor) : m_cursor(cursor), m_bWasOn(cursor.IsOn())
        {
            m_cursor.End();
        }
        ~CPause()
        {
            if (m_bWasOn)
                m_cursor.Begin();
        }
        CPause(const CPause&) = delete;
        CPause& operator=(const CPause&) = delete;

    private:
        CCommandBusyCursor& m_cursor;
        bool m_bWasOn;
    };

private:
    bool m_bOn = false;
};

// The library's functions with the busy cursor turned on for each call.
class CBusyVf620Calls final : public CVf620Calls
{
public:
    CBusyVf620Calls(CVf620Calls& driver, CCommandBusyCursor& cursor)
        : m_driver(driver), m_cursor(cursor)
    {
    }

    std::int32_t OpenDComm(std::int32_t nPort, std::int32_t nParity, std::int32_t nBaud) override;
    std::int32_t SendDStr(const void* pData, std::uint32_t nCount) override;
    std::int32_t CloseDComm() override;
    std::int32_t ClearDisplay() override;
    std::int32_t DownLoadFile(const char* pszPath, std::uint32_t dwArea) override;
    std::int32_t DownLoadFileSinglePage(const char* pszPath, std::uint32_t dwArea,
                                        std::int32_t nPage) override;
    void SetMessageHook(CUserInterface* pUi) override { m_driver.SetMessageHook(pUi); }

private:
    CVf620Calls& m_driver;
    CCommandBusyCursor& m_cursor;
};

// Message boxes and file dialogs with the normal pointer over them.
class CBusyAwareUserInterface final : public CUserInterface
{
public:
    CBusyAwareUserInterface(CUserInterface& ui, CCommandBusyCursor& cursor)
        : m_ui(ui), m_cursor(cursor)
    {
    }

    using CUserInterface::MessageBox;
    EMessageResult MessageBox(const CMessageBoxRequest& request) override;
    std::optional<std::string> FileDialog(const CFileDialogRequest& request) override;

private:
    CUserInterface& m_ui;
    CCommandBusyCursor& m_cursor;
};
