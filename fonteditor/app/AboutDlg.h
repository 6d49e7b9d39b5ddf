#pragma once

#include <wx/dialog.h>

// The About box (resource 100): "Typeloom Version 1.1" and the program's
// icon. It has no data and no handlers of its own.
class CAboutDlg final : public wxDialog
{
public:
    explicit CAboutDlg(wxWindow* pParent);
};
