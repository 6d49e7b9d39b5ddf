#pragma once

#include "DataExchange.h"
#include "ListItems.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CWxProgressBar;
class wxRadioButton;
class wxScrollBar;
class wxWindow;

// The data-exchange seam over the real controls of one window (a dialog or a
// page), found by id among its descendants, the nearest first:
//
// - text: edits, statics (shown literally, '&' included), combo boxes (an
//   item starting with the text is selected, else the text is typed in),
//   drop-down lists and list boxes (the item starting with the text is
//   selected), and the captions of buttons;
// - values, by the control's kind: a radio group's checked button, the
//   group named by its first button and made of the radio buttons that
//   follow it among its siblings in creation order, up to the next one that
//   starts a group (wxRB_GROUP), other controls in between skipped; the
//   selection index of drop-down lists, combo boxes and list boxes (-1:
//   none); check boxes, 0, 1 or 2 (indeterminate, on three-state boxes);
// - and, as the layout seam, list items and whether controls are shown and
//   enabled.
//
// An id that names no control of the right kind is a fault of the window's
// resources and raises a wx assertion.
class CWxControlAccess final : public CControlAccess
{
public:
    explicit CWxControlAccess(wxWindow& window);
    ~CWxControlAccess() override;

    std::string GetText(int nId) override;
    void SetText(int nId, const std::string& strText) override;

    int GetValue(int nId) override;
    void SetValue(int nId, int nValue) override;

    void FocusAndSelect(int nId) override;
    // Progress bars are wxGauge controls.
    CProgressBarWindow FindProgressBar(int nId) override;

    void EnableControl(int nId, bool bEnable) override;
    void ShowControl(int nId, bool bShow) override;
    void SetItems(int nId, std::vector<std::string> items) override;
    void SetScrollInfo(int nId, const CScrollInfo& info) override;

    // Told after each text the program puts in a control, as an edit box
    // with an undo of its own needs to know.
    std::function<void(int nId, const std::string& strText)> m_onTextSet;
    // The wx id of the menu item a number names, for a frame whose menu
    // items are not named by their numbers themselves.
    std::function<int(int nItem)> m_menuItemId;

    // The items of a list or combo box.
    std::vector<std::string> GetItems(int nId);
    // A caption with its mnemonic ("&Download...").
    void SetLabel(int nId, const std::string& strLabel);

    // The control with this id, or nullptr (with an assertion).
    wxWindow* Find(int nId);
    // The buttons of the radio group that starts at nFirstId.
    std::vector<wxRadioButton*> RadioGroup(int nFirstId);

private:
    wxWindow& m_window;
    std::map<int, std::unique_ptr<CWxProgressBar>> m_progressBars;
};

// Finds a descendant of window by id, breadth first, never window itself.
wxWindow* FindControl(const wxWindow& window, int nId);

// Shows info on a bar, its position kept within the range.
void ShowScrollInfo(wxScrollBar& bar, const CScrollInfo& info);
