#pragma once
#include "ui/Application.h"

namespace korimba::app {

// Sets the title and creates every window in the fixed order that carries the
// settings: main window, tool paths, buffer, about box, process list, preferences.
void createWindows(ui::Application& application);

} // namespace korimba::app
