#pragma once

// Pagewing's dialog in a real window, over the recording library or over the
// built driver library bound by ordinal as the program binds it.

#include "ModalDialogWatcher.h"
#include "PagewingApp.h"
#include "PagewingWxDlg.h"
#include "RecordingVf620Calls.h"
#include "Vf620Module.h"
#include "WxTesting.h"

#include <wx/app.h>
#include <wx/textctrl.h>

class CPagewingGuiTest : public CWxTest
{
protected:
    static void SetUpTestSuite()
    {
        InitPagewingResources();
        s_strTitle = wxTheApp->GetAppDisplayName();
        wxTheApp->SetAppDisplayName(kPagewingTitle);
    }
    static void TearDownTestSuite() { wxTheApp->SetAppDisplayName(s_strTitle); }

    void TearDown() override
    {
        // The library's port outlives windows; every test starts closed.
        if (s_pLibrary)
            s_pLibrary->CloseDComm();
        CWxTest::TearDown();
    }

    // The built library, bound once for the whole run as the program binds it.
    static CVf620Calls& Library()
    {
        static CVf620Module s_module;
        if (!s_pLibrary)
        {
            std::string strError;
            s_pLibrary = s_module.Load(VF620_LIBRARY, strError);
            EXPECT_NE(s_pLibrary, nullptr) << strError;
        }
        return *s_pLibrary;
    }

    // The dialog shown at a fixed place, drawn and ready for input.
    CPagewingWxDlg& ShowDialog(CVf620Calls& driver, CClock& clock = CClock::Real())
    {
        auto* pDialog = new CPagewingWxDlg(driver, clock);
        pDialog->Move(40, 40);
        pDialog->Show();
        EXPECT_TRUE(PumpUntil([&] { return pDialog->IsShownOnScreen(); }));
        Settle();
        return *pDialog;
    }

    static std::string Status(CPagewingWxDlg& dialog)
    {
        return dialog.m_controls.GetText(IDC_STATUS);
    }

    // Clicks a button and waits until the status edit shows strStatus.
    static void ClickUntilStatus(CPagewingWxDlg& dialog, int nId, const std::string& strStatus,
                                 std::chrono::milliseconds within = std::chrono::seconds(5))
    {
        ClickControl(dialog, nId);
        EXPECT_TRUE(PumpUntil([&] { return Status(dialog) == strStatus; }, within))
            << "status: " << Status(dialog);
    }

    CModalDialogWatcher m_watcher;
    CVirtualClock m_clock;
    CRecordingVf620Calls m_fake{m_clock};

    static inline CVf620Calls* s_pLibrary = nullptr;
    static inline wxString s_strTitle;
};
