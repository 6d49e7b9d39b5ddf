#pragma once

#include "DownloadDlg.h"
#include "WxControlAccess.h"
#include "WxUserInterface.h"

#include <wx/dialog.h>

// The Download dialog (resource 131) driving CDownloadDlg: the font file's
// path, the port COM1 to COM9, the font area, "Download" and its progress
// bar. The whole transfer runs in the Download button's handler; the bar is
// repainted as it moves.
class CWxDownloadDlg final : public wxDialog
{
public:
    // Set m_dlg's path and glyph geometry before ShowModal.
    explicit CWxDownloadDlg(wxWindow* pParent, CClock& clock = CClock::Real());

    CWxControlAccess m_controls{*this};
    CWxUserInterface m_ui{this};
    CDownloadDlg m_dlg;

private:
    void OnInitDialog(wxInitDialogEvent& event);
};
