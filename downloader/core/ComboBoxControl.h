#pragma once

#include "DataExchange.h"
#include "ListItems.h"

#include <string>
#include <vector>

// A combo box a dialog keeps as a control (the framework's CComboBox member)
// rather than as a value: its items are rebuilt and its selection set by
// hand. Reaches the window through the control seam.
class CComboBoxControl
{
public:
    CComboBoxControl(CControlAccess& controls, int nId) : m_controls(controls), m_nId(nId) {}

    // Empties the list and fills it with the items in order; nothing is
    // selected afterwards.
    void Fill(std::vector<std::string> items) { m_controls.SetItems(m_nId, std::move(items)); }
    // Selects item nIndex; an index the list does not have (-1 included)
    // selects nothing.
    void SetCurSel(int nIndex) { m_controls.SetValue(m_nId, nIndex); }
    int GetCurSel() { return m_controls.GetValue(m_nId); }

private:
    CControlAccess& m_controls;
    int m_nId;
};
