#include "WxDownloadDlg.h"

#include "WxResources.h"

CWxDownloadDlg::CWxDownloadDlg(wxWindow* pParent, CClock& clock) : m_dlg(m_controls, m_ui, clock)
{
    LoadXrcDialog(*this, pParent, IDD_DOWNLOAD);
    Bind(wxEVT_INIT_DIALOG, &CWxDownloadDlg::OnInitDialog, this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_dlg.OnDownload(); }, IDC_DOWNLOAD);
    // OK keeps the dialog open while the font area is not a number.
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&)
        {
            if (m_dlg.OnOK())
                EndModal(1);
        },
        1);
}

void CWxDownloadDlg::OnInitDialog(wxInitDialogEvent&)
{
    m_dlg.OnInitDialog();
}
