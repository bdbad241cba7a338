#pragma once
#include "ui/Application.h"

#include <string>

namespace korimba::app {

// Sets the title, makes sure the program folder can be written and creates
// every window in the fixed order that carries the settings: main window, tool
// paths, buffer, about box, process list, preferences. A folder that cannot be
// written is reported in one error box and no window is made; false then, and
// the program should end.
bool createWindows(ui::Application& application);

// What that error box says, for the folder as the user knows it (no final "\"
// unless it is a root).
std::string unwritableFolderMessage(const std::string& folder);

} // namespace korimba::app
