#pragma once

#include "DownloadLauncher.h"
#include "Painter.h"
#include "TypeloomView.h"
#include "ViewSite.h"
#include "WxControlAccess.h"
#include "WxControlHost.h"
#include "WxScrollBar.h"
#include "WxTextBox.h"
#include "WxUserInterface.h"

#include <wx/scrolwin.h>

class wxPanel;

// The editor's form (resource 101) in a document window, driving
// CTypeloomView: the glyph grid and the character map drawn in place of the
// statics 1001 and 1000, the glyph text box, the page scroll bar, the radio
// groups, the "Other" height and "Apply". Where the document window is
// smaller than the form, the form scrolls.
class CWxTypeloomForm final : public wxScrolledWindow, public CTypeloomViewSite
{
public:
    CWxTypeloomForm(wxWindow* pParent, CTypeloomDoc& doc, CDownloadLauncher& launcher);
    ~CWxTypeloomForm() override;

    CTypeloomView& GetView() { return m_view; }
    wxPanel* GetFormPanel() const { return m_pPanel; }

    // CTypeloomViewSite
    CControlAccess& GetControls() override { return m_controls; }
    CUserInterface& GetUserInterface() override { return m_ui; }
    void BindControls() override;
    CTextBox& GetTextBox() override { return m_textBox; }
    CScrollBar& GetPageScrollBar() override { return m_scrollBar; }
    CControlHost& GetGridHost() override { return m_gridHost; }
    CControlHost& GetMapHost() override { return m_mapHost; }
    int GetFocusId() const override;
    void ResizeParentToFit() override;
    CDownloadLauncher& GetDownloadLauncher() override { return m_launcher; }

private:
    // The controls by id, telling the text box when the program fills it:
    // that leaves it nothing to undo.
    class CFormControls final : public CControlAccess
    {
    public:
        CFormControls(CWxControlAccess& controls, CWxTextBox& textBox)
            : m_controls(controls), m_textBox(textBox)
        {
        }
        std::string GetText(int nId) override { return m_controls.GetText(nId); }
        void SetText(int nId, const std::string& strText) override;
        int GetRadioIndex(int nFirstId) override { return m_controls.GetRadioIndex(nFirstId); }
        void SetRadioIndex(int nFirstId, int nIndex) override
        {
            m_controls.SetRadioIndex(nFirstId, nIndex);
        }
        int GetSelectionIndex(int nId) override { return m_controls.GetSelectionIndex(nId); }
        void SetSelectionIndex(int nId, int nIndex) override
        {
            m_controls.SetSelectionIndex(nId, nIndex);
        }
        int GetCheck(int nId) override { return m_controls.GetCheck(nId); }
        void SetCheck(int nId, int nState) override { m_controls.SetCheck(nId, nState); }
        void FocusAndSelect(int nId) override { m_controls.FocusAndSelect(nId); }
        void SetItems(int nId, std::vector<std::string> items) override
        {
            m_controls.SetItems(nId, std::move(items));
        }
        void ShowControl(int nId, bool bShow) override { m_controls.ShowControl(nId, bShow); }
        void EnableControl(int nId, bool bEnable) override
        {
            m_controls.EnableControl(nId, bEnable);
        }

    private:
        CWxControlAccess& m_controls;
        CWxTextBox& m_textBox;
    };

    wxPanel* m_pPanel = nullptr;
    CDownloadLauncher& m_launcher;
    CWxControlAccess m_access{*this};
    CWxTextBox m_textBox;
    CFormControls m_controls{m_access, m_textBox};
    CWxUserInterface m_ui{this};
    CWxScrollBar m_scrollBar;
    CWxControlHost m_gridHost;
    CWxControlHost m_mapHost;
    CTypeloomView m_view;
    CPainterOf<CGlyphGrid> m_gridPainter{m_view.GetGlyphGrid()};
    CPainterOf<CCharMap> m_mapPainter{m_view.GetCharMap()};
};
