#pragma once

#include "ImportDlg.h"
#include "WxControlAccess.h"
#include "WxUserInterface.h"

#include <wx/dialog.h>

// File > Import... (resource 132) driving CImportDlg.
class CImportWxDlg final : public wxDialog
{
public:
    explicit CImportWxDlg(wxWindow* pParent);

    CWxControlAccess m_controls{*this};
    CWxUserInterface m_ui{this};
    CImportDlg m_dlg{m_controls, m_ui};
};
