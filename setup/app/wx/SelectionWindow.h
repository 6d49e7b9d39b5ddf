#pragma once

#include "Clock.h"
#include "ModalRun.h"
#include "Polelink.h"
#include "TallyboardDlg.h"
#include "WxControlAccess.h"
#include "WxUserInterface.h"

#include <array>

#include <wx/bitmap.h>
#include <wx/dialog.h>

class CMainWindow;
class wxStaticBitmap;

// The product selection window (CTallyboardDlg) on the screen. Its OK runs
// a new main window while it hides.
class CSelectionWindow final : public wxDialog
{
public:
    CSelectionWindow(wxWindow* pParent, CPolelink& polelink, CClock& clock);

    // Runs the window until it ends: the program's one loop. The result is
    // what it ended with (2: Cancel, the close box or a close request).
    int RunModal() { return m_run.Run(*this); }
    bool IsRunning() const { return m_run.IsRunning(); }

    CTallyboardDlg& Logic() { return m_logic; }
    // The main window while one runs, else nullptr.
    CMainWindow* MainWindow() const { return m_pMainWindow; }
    // Ends the window's modal run.
    void EndDialog(int nResult);

private:
    void ShowPreview();
    void OnOK();

    CPolelink& m_polelink;
    CClock& m_clock;
    CWxControlAccess m_controls{*this};
    CWxUserInterface m_ui{this};
    CTallyboardDlg m_logic;
    std::array<wxBitmap, CTallyboardDlg::kPreviewBitmaps.size()> m_previews;
    wxStaticBitmap* m_pPreview = nullptr;
    CMainWindow* m_pMainWindow = nullptr;
    CModalRun m_run;
};
