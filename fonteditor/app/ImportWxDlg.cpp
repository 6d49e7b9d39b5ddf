#include "ImportWxDlg.h"

#include "WxResources.h"

CImportWxDlg::CImportWxDlg(wxWindow* pParent)
{
    LoadXrcDialog(*this, pParent, kIddImport);
    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent&) { m_dlg.OnInitDialog(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_dlg.OnBrowse(); }, kIdImportBrowse);
    // OK keeps the dialog open until a font was written.
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&)
        {
            if (m_dlg.OnOK())
                EndModal(wxID_OK);
        },
        1);
}
