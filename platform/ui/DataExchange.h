#pragma once

#include "ProgressCtrl.h"
#include "UserInterface.h"

#include <optional>
#include <string>
#include <vector>

// The data-exchange seam: a dialog's logic binds its member fields to control
// ids in DoDataExchange, and one CDataExchange moves them in either direction.
//
// CControlAccess is what the window side provides: the controls' values by
// id, and what the logic changes beside them (list items, whether a control
// is shown or enabled). The wx layer implements it over real controls; tests
// use CFakeControls, which holds the state.
// A scroll bar's range, page and position, as the logic shows them; the
// window keeps the position within the range.
struct CScrollInfo
{
    int m_nMin = 0;
    int m_nMax = 0;
    int m_nPage = 0;
    int m_nPos = 0;

    bool operator==(const CScrollInfo&) const = default;
};

class CControlAccess
{
public:
    virtual ~CControlAccess() = default;

    // The window's own id names the window: its text is the caption.
    virtual std::string GetText(int nId) = 0;
    virtual void SetText(int nId, const std::string& strText) = 0;

    // The one integer a control holds, by its kind:
    // - a radio group, named by its first button: the checked button's
    //   index, -1 when none is checked;
    // - a combo or list box: the selected item, -1 for none;
    // - a check box: 0 clear, 1 ticked, 2 indeterminate.
    virtual int GetValue(int nId) = 0;
    virtual void SetValue(int nId, int nValue) = 0;

    // After a rejected entry the control gets the focus with its text selected.
    virtual void FocusAndSelect(int nId) = 0;

    // The progress bar with this id, empty when the window has none.
    virtual CProgressBarWindow FindProgressBar(int /*nId*/) { return {}; }

    // Empties a list or combo box and fills it with the items in order; it
    // is then without selection. A tab control's items are its tabs.
    virtual void SetItems(int nId, std::vector<std::string> items) = 0;
    virtual void ShowControl(int nId, bool bShow) = 0;
    // Also a menu item of the window's menu bar.
    virtual void EnableControl(int nId, bool bEnable) = 0;
    virtual void SetScrollInfo(int nId, const CScrollInfo& info) = 0;
};

// The validation messages, as the framework words them.
inline constexpr const char* kMsgEnterInteger = "Please enter an integer.";
inline constexpr const char* kMsgEnterPositiveInteger = "Please enter a positive integer.";
inline constexpr const char* kMsgEnterIntegerBetween = "Please enter an integer between %1 and %2.";

// "Please enter an integer between 1 and 32."
std::string FormatIntegerRangeMessage(int nMin, int nMax);

// Integer text as the fields accept it: optional blanks, an optional sign
// (none allowed for unsigned), at least one decimal digit, optional blanks,
// nothing else; the value must fit the type.
std::optional<int> ParseInt(const std::string& strText);
std::optional<unsigned> ParseUnsigned(const std::string& strText);

class CDataExchange
{
public:
    // bSaveAndValidate: true takes the controls into the fields (and checks
    // them), false shows the fields in the controls.
    CDataExchange(CControlAccess& controls, CUserInterface& ui, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_controls(controls), m_ui(ui)
    {
    }

    const bool m_bSaveAndValidate;

    // True once a field was rejected: its message has been shown, and every
    // later call of this exchange does nothing, so the fields after it keep
    // their values.
    bool Failed() const { return m_bFailed; }

    void Text(int nId, std::string& strValue);
    void Text(int nId, int& nValue);      // "Please enter an integer."
    void Text(int nId, unsigned& nValue); // "Please enter a positive integer."
    // Checks, when taking the controls, that nValue lies in [nMin, nMax];
    // nId is the control that gets the focus when it does not.
    void MinMaxInt(int nId, int nValue, int nMin, int nMax);
    void Radio(int nFirstId, int& nIndex);
    void ComboIndex(int nId, int& nIndex);
    void Check(int nId, int& nState);
    // Binds a member control to the window's control of that id, once, in
    // either direction (the framework's control binding); moves no data.
    void Control(int nId, CProgressCtrl& control);

private:
    void Fail(int nId, const std::string& strMessage);
    // Radio, ComboIndex and Check: the control's one integer.
    void Value(int nId, int& nValue);

    CControlAccess& m_controls;
    CUserInterface& m_ui;
    bool m_bFailed = false;
};

// Base of the dialogs' logic: UpdateData runs DoDataExchange in one direction
// and tells whether every field passed.
class CDataExchangeForm
{
public:
    CDataExchangeForm(CControlAccess& controls, CUserInterface& ui) : m_controls(controls), m_ui(ui)
    {
    }
    virtual ~CDataExchangeForm() = default;

    bool UpdateData(bool bSaveAndValidate = true);

protected:
    virtual void DoDataExchange(CDataExchange& dx) = 0;

    CControlAccess& m_controls;
    CUserInterface& m_ui;
};
