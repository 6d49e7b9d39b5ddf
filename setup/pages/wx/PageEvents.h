#pragma once

#include "PageCommand.h"

#include <vector>

class wxPanel;

// Sends the clicks of a page's window to its commands. The busy commands
// show the busy cursor meanwhile.
void BindPageCommands(wxPanel& panel, const std::vector<CBoundPageCommand>& commands);

// The pages' resources, compiled into the library (call once at start).
void InitPageResources();
