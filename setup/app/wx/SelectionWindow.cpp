#include "SelectionWindow.h"

#include "MainWindow.h"
#include "WxRadioGroup.h"
#include "WxResources.h"

#include <wx/icon.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>

namespace
{
constexpr int kSelectionWindow = 102;
constexpr int kOk = 1;
constexpr int kCancel = 2;
} // namespace

CSelectionWindow::CSelectionWindow(wxWindow* pParent, CPolelink& polelink, CClock& clock)
    : m_polelink(polelink), m_clock(clock), m_logic(m_controls, m_controls, *this, m_ui, polelink)
{
    LoadXrcDialog(*this, pParent, kSelectionWindow);
    for (std::size_t i = 0; i < m_previews.size(); ++i)
        m_previews[i] = LoadXrcBitmap(CTallyboardDlg::kPreviewBitmaps[i]);
    m_pPreview = dynamic_cast<wxStaticBitmap*>(FindControl(*this, CTallyboardDlg::kPreview));

    Bind(
        wxEVT_LISTBOX, [this](wxCommandEvent&) { m_logic.OnSelChangeModel(); },
        CTallyboardDlg::kModelList);
    if (auto* pCom = dynamic_cast<wxRadioButton*>(FindControl(*this, CTallyboardDlg::kComRadio)))
        BindRadioClick(*pCom, [this] { m_logic.OnCom(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_logic.OnOK(); }, kOk);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { m_logic.OnCancel(); }, kCancel);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { m_logic.OnCancel(); });

    m_logic.OnInitDialog();
}

void CSelectionWindow::SetIcon(int nIconId)
{
    wxDialog::SetIcon(LoadXrcIcon(nIconId));
}

void CSelectionWindow::ShowPreview(int nBitmapId)
{
    for (std::size_t i = 0; i < m_previews.size(); ++i)
        if (CTallyboardDlg::kPreviewBitmaps[i] == nBitmapId && m_pPreview)
            m_pPreview->SetBitmap(m_previews[i]);
}

void CSelectionWindow::ShowWindow(bool bShow)
{
    Show(bShow);
}

void CSelectionWindow::RunMainWindow()
{
    auto* pMainWindow = new CMainWindow(nullptr, m_polelink, m_clock);
    m_pMainWindow = pMainWindow;
    pMainWindow->RunModal();
    m_pMainWindow = nullptr;
    pMainWindow->Destroy();
}

void CSelectionWindow::EndDialog(int nResult)
{
    if (m_run.IsRunning())
        m_run.End(nResult);
    else
        Hide();
}
