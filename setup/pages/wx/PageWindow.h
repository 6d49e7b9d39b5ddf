#pragma once

#include "WxControlAccess.h"
#include "WxUserInterface.h"

class wxPanel;
class wxWindow;

// The window of one page of the main window, built from its resource as a
// hidden child of pParent (which destroys it) when the model uses the page;
// its controls and boxes exist from then on.
class CWxPageWindow
{
public:
    CWxPageWindow(wxWindow& parent, int nDialogId);
    CWxPageWindow(const CWxPageWindow&) = delete;
    CWxPageWindow& operator=(const CWxPageWindow&) = delete;

    int Id() const { return m_nDialogId; }
    wxPanel& Panel() { return *m_pPanel; }
    const wxPanel& Panel() const { return *m_pPanel; }
    CWxControlAccess& Controls() { return m_controls; }
    CWxUserInterface& UserInterface() { return m_ui; }

private:
    int m_nDialogId;
    wxPanel* m_pPanel;
    CWxControlAccess m_controls;
    CWxUserInterface m_ui;
};
