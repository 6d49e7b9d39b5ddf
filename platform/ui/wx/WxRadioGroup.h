#pragma once

#include <functional>
#include <vector>

class wxRadioButton;

// The radio buttons of the group that first starts: first itself, then the
// radio buttons that follow it among its siblings in creation order, up to
// the next one that starts a group (wxRB_GROUP). Controls of other kinds in
// between are skipped. wx groups radio buttons by the same rule.
std::vector<wxRadioButton*> RadioButtonsOfGroup(wxRadioButton& first);

// Leaves every button of a group unchecked. Native GTK groups always have
// one button checked; there a hidden member of the group takes the check.
void ClearRadioButtons(const std::vector<wxRadioButton*>& group);

// Calls onClick on every click of the button by the user, with the mouse or
// the keyboard, also when it was checked already (wx reports only changes),
// once its group's state has changed. Checking a button by program is no
// click.
void BindRadioClick(wxRadioButton& button, std::function<void()> onClick);
