#pragma once

#include "PagewingDlg.h"
#include "WxControlAccess.h"
#include "WxUserInterface.h"

#include <wx/dialog.h>

class wxContextMenuEvent;

inline constexpr const char* kAboutMenuText = "&About Pagewing...";

// The wx side of Pagewing's dialog (resource 102): forwards the buttons to
// CPagewingDlg, shows the library's download messages as its message boxes
// and the busy pointer while a command runs (the normal one over its boxes), and opens the
// About box: from the system menu where the platform has one, and on every
// platform from the dialog's context menu and F1.
class CPagewingWxDlg final : public wxDialog
{
public:
    explicit CPagewingWxDlg(CVf620Calls& driver, CClock& clock = CClock::Real(),
                            wxWindow* pParent = nullptr);
    ~CPagewingWxDlg() override;

    CWxControlAccess m_controls{*this};
    CWxUserInterface m_ui{this};
    CVf620Calls& m_driver;
    CPagewingDlg m_dlg;

    // The About box, modal.
    void ShowAbout();

private:
    void RunCommand(void (CPagewingDlg::*pHandler)());
    void OnContextMenu(wxContextMenuEvent& event);
};

// The About box (resource 100).
class CAboutDlg final : public wxDialog
{
public:
    explicit CAboutDlg(wxWindow* pParent);
};
