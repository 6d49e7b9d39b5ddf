#pragma once

#include <string>
#include <vector>

// What a window's logic changes in its controls beside their values: the
// items of a list, and whether a control is shown or enabled. The wx layer
// implements it over real controls; CFakeControls holds the state for tests.
class CControlLayout
{
public:
    virtual ~CControlLayout() = default;

    // Empties a list or combo box and fills it with the items in order; it
    // is then without selection.
    virtual void SetItems(int nId, std::vector<std::string> items) = 0;
    virtual void ShowControl(int nId, bool bShow) = 0;
    virtual void EnableControl(int nId, bool bEnable) = 0;
};
