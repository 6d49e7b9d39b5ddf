#include "PagewingWxDlg.h"

#include "WxResources.h"

#include <algorithm>
#include <utility>

#include <wx/accel.h>
#include <wx/combobox.h>
#include <wx/icon.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

CPagewingWxDlg::CPagewingWxDlg(CVf620Calls& driver, CClock& clock, wxWindow* pParent)
    : m_driver(driver), m_dlg(m_controls, m_ui, driver, clock)
{
    LoadXrcDialog(*this, pParent, IDD_PAGEWING_DIALOG);
    SetIcon(LoadXrcIcon(m_dlg.m_nIcon));
    // The desktop's face is wider than the template's: a radio button may
    // need a few pixels more for its mark and text, and GTK lays out none
    // narrower than that.
    for (wxWindow* pChild : GetChildren())
        if (auto* pRadio = wxDynamicCast(pChild, wxRadioButton); pRadio && pRadio->IsShown())
            pRadio->SetSize(std::max(pRadio->GetSize().x, pRadio->GetBestSize().x), -1);
    // The baud rate's box likewise, or it shows "3840" for 38400; GTK knows
    // its width only once the window is shown.
    Bind(wxEVT_SHOW,
         [this](wxShowEvent& event)
         {
             event.Skip();
             if (!event.IsShown())
                 return;
             for (wxWindow* pChild : GetChildren())
                 if (wxDynamicCast(pChild, wxComboBox) && pChild->IsShown())
                     pChild->SetSize(std::max(pChild->GetSize().x, pChild->GetBestSize().x), -1);
         });

    const std::pair<int, void (CPagewingDlg::*)()> buttons[] = {
        {IDC_BROWSE, &CPagewingDlg::OnBrowse},
        {IDC_OPEN, &CPagewingDlg::OnOpen},
        {IDC_CLOSE, &CPagewingDlg::OnClose},
        {IDC_DOWNLOAD_ALL, &CPagewingDlg::OnDownloadAll},
        {IDC_DOWNLOAD_SINGLE_PAGE, &CPagewingDlg::OnDownloadSinglePage},
        {IDC_DISPLAY_ASCII, &CPagewingDlg::OnDisplayAscii},
        {IDC_DISPLAY_PC, &CPagewingDlg::OnDisplayPc},
        {IDC_CLEAR_DISPLAY, &CPagewingDlg::OnClearDisplay},
        {1, &CPagewingDlg::OnOK},
    };
    for (const auto& [nId, pHandler] : buttons)
        Bind(
            wxEVT_BUTTON, [this, pHandler = pHandler](wxCommandEvent&) { RunCommand(pHandler); },
            nId);
    Bind(
        wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { RunCommand(&CPagewingDlg::OnAreaLow); },
        IDC_AREA_LOW);
    Bind(
        wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { RunCommand(&CPagewingDlg::OnAreaHigh); },
        IDC_AREA_HIGH);

    // The About box's command: in the system menu where wx reaches it (on
    // Windows), and everywhere in the context menu and on F1.
#if defined(__WXMSW__)
    if (wxMenu* pSystemMenu = MSWGetSystemMenu())
    {
        pSystemMenu->AppendSeparator();
        pSystemMenu->Append(IDM_ABOUTBOX, kAboutMenuText);
    }
#endif
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { ShowAbout(); }, IDM_ABOUTBOX);
    Bind(wxEVT_CONTEXT_MENU, &CPagewingWxDlg::OnContextMenu, this);
    wxAcceleratorEntry help(wxACCEL_NORMAL, WXK_F1, IDM_ABOUTBOX);
    SetAcceleratorTable(wxAcceleratorTable(1, &help));

    m_driver.SetMessageHook(&m_ui);
    m_dlg.OnInitDialog();
}

CPagewingWxDlg::~CPagewingWxDlg()
{
    // The library keeps the hook for as long as it is loaded.
    m_driver.SetMessageHook(nullptr);
}

void CPagewingWxDlg::RunCommand(void (CPagewingDlg::*pHandler)())
{
    // A download blocks the window for up to 36 s, the test screens for
    // seconds.
    const wxBusyCursor busy;
    (m_dlg.*pHandler)();
}

void CPagewingWxDlg::OnContextMenu(wxContextMenuEvent& event)
{
    // Edit fields keep their own menus (cut, copy, paste).
    const wxObject* pSource = event.GetEventObject();
    if (wxDynamicCast(pSource, wxTextCtrl) || wxDynamicCast(pSource, wxComboBox))
    {
        event.Skip();
        return;
    }
    wxMenu menu;
    menu.Append(IDM_ABOUTBOX, kAboutMenuText);
    PopupMenu(&menu);
}

void CPagewingWxDlg::ShowAbout()
{
    CAboutDlg about(this);
    about.ShowModal();
}

CAboutDlg::CAboutDlg(wxWindow* pParent)
{
    LoadXrcDialog(*this, pParent, IDD_ABOUTBOX);
    // The box has OK only: Esc and the close box press it.
    SetEscapeId(wxID_ANY);
}
