#include "SelectionWindow.h"

#include "MainWindow.h"
#include "TallyboardCommands.h"
#include "WxRadioGroup.h"
#include "WxResources.h"

#include <wx/icon.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>

CSelectionWindow::CSelectionWindow(wxWindow* pParent, CPolelink& polelink, CClock& clock)
    : m_polelink(polelink), m_clock(clock), m_logic(m_controls, m_ui, polelink)
{
    LoadXrcDialog(*this, pParent, kSelectionDialog);
    SetIcon(LoadXrcIcon(CTallyboardDlg::kAppIcon));
    for (std::size_t i = 0; i < m_previews.size(); ++i)
        m_previews[i] = LoadXrcBitmap(CTallyboardDlg::kPreviewBitmaps[i]);
    m_pPreview = dynamic_cast<wxStaticBitmap*>(FindControl(*this, CTallyboardDlg::kPreview));

    Bind(
        wxEVT_LISTBOX,
        [this](wxCommandEvent&)
        {
            m_logic.OnSelChangeModel();
            ShowPreview();
        },
        CTallyboardDlg::kModelList);
    if (auto* pCom = dynamic_cast<wxRadioButton*>(FindControl(*this, CTallyboardDlg::kComRadio)))
        BindRadioClick(*pCom, [this] { m_logic.OnCom(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, kIdOk);
    // Cancel and the close box end the program at once.
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndDialog(kIdCancel); }, kIdCancel);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { EndDialog(kIdCancel); });

    m_logic.OnInitDialog();
    ShowPreview();
}

void CSelectionWindow::ShowPreview()
{
    for (std::size_t i = 0; i < m_previews.size(); ++i)
        if (CTallyboardDlg::kPreviewBitmaps[i] == m_logic.m_nPreview && m_pPreview)
            m_pPreview->SetBitmap(m_previews[i]);
}

// The main window runs while this one hides. Its exit ends the program;
// reselecting the display comes back here.
void CSelectionWindow::OnOK()
{
    m_logic.OnOK();
    Show(false);
    auto* pMainWindow = new CMainWindow(nullptr, m_polelink, m_clock);
    m_pMainWindow = pMainWindow;
    const int nResult = pMainWindow->RunModal();
    m_pMainWindow = nullptr;
    pMainWindow->Destroy();
    if (nResult == kIdOk)
        EndDialog(kIdCancel);
    else
        Show(true);
}

void CSelectionWindow::EndDialog(int nResult)
{
    if (m_run.IsRunning())
        m_run.End(nResult);
    else
        Hide();
}
