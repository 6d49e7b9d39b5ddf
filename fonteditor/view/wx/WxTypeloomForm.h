#pragma once

#include "TypeloomView.h"
#include "WxControlAccess.h"
#include "WxControlHost.h"
#include "WxScrollBar.h"
#include "WxTextBox.h"
#include "WxUserInterface.h"

#include <wx/scrolwin.h>

class wxPanel;

// The editor's form (resource 101) in a document window, driving
// CTypeloomView: the view's glyph grid and character map painted in place of
// the statics 1001 and 1000, the glyph text box with its own clipboard
// commands and undo, the page scroll bar, the radio groups, the "Other"
// height and "Apply". Where the document window is smaller than the form,
// the form scrolls.
class CWxTypeloomForm final : public wxScrolledWindow
{
public:
    CWxTypeloomForm(wxWindow* pParent, CTypeloomDoc& doc);
    ~CWxTypeloomForm() override;

    CTypeloomView& GetView() { return m_view; }
    CWxTextBox& GetTextBox() { return m_textBox; }
    wxPanel* GetFormPanel() const { return m_pPanel; }

    // Id of the form's control that has the keyboard focus; 0 for none of them.
    int GetFocusId() const;
    // Shrinks the frame window around the form when it is larger.
    void ResizeParentToFit();

private:
    wxPanel* m_pPanel = nullptr;
    CWxControlAccess m_controls{*this};
    CWxUserInterface m_ui{this};
    CWxControlHost m_gridHost;
    CWxControlHost m_mapHost;
    CTypeloomView m_view;
    CWxTextBox m_textBox;
    CWxScrollBar m_scrollBar;
};
