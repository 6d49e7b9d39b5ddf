#pragma once

#include "WxControlAccess.h"
#include "WxUserInterface.h"

#include <memory>

class wxPanel;
class wxWindow;

// The window of one page of the main window. The page's logic takes its
// controls and its boxes when the main window is made; the window itself is
// built from its resource only when the model uses the page (Create), and
// belongs to its parent from then on.
class CWxPageWindow
{
public:
    explicit CWxPageWindow(int nDialogId);
    ~CWxPageWindow();
    CWxPageWindow(const CWxPageWindow&) = delete;
    CWxPageWindow& operator=(const CWxPageWindow&) = delete;

    int Id() const { return m_nDialogId; }
    // Builds the window, hidden, as a child of pParent; false (with a wx
    // error) when the resource is missing.
    bool Create(wxWindow& parent);
    bool IsCreated() const { return !m_pUncreated; }

    wxPanel& Panel() { return *m_pPanel; }
    const wxPanel& Panel() const { return *m_pPanel; }
    CWxControlAccess& Controls() { return m_controls; }
    CWxUserInterface& UserInterface() { return m_ui; }

private:
    int m_nDialogId;
    std::unique_ptr<wxPanel> m_pUncreated; // ours until the window exists
    wxPanel* m_pPanel;
    CWxControlAccess m_controls;
    CWxUserInterface m_ui;
};
