#pragma once
// What every job command of the main window does alike, single-file or list,
// encode or decode: finding its coder and launching its script.
#include "ui/Controls.h"
#include "ui/Form.h"

#include <string>

namespace korimba::app {

// True when the path names an existing file (not a folder).
bool namesAFile(const std::string& path);
// A missing coder opens the tool-paths dialog; true when the field names the
// coder afterwards.
bool coderAtHand(const ui::Edit& coderField);
// Launches a saved script through the shell, with the window the preferences
// and "View coding" ask for. A script the shell refuses is reported and
// deleted, and false returned: nothing would ever delete it, and its lock
// would refuse every later job of its direction.
bool launchScript(ui::Form& owner, const std::string& script, bool viewCoding);

} // namespace korimba::app
