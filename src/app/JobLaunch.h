#pragma once
// What every job command of the main window does alike, single-file or list,
// encode or decode: finding its coder and launching its script.
#include "ui/Controls.h"
#include "ui/Form.h"

#include <string>

namespace korimba::app {

// A missing coder opens the tool-paths dialog; true when the coder is there
// afterwards.
bool coderAtHand(std::string (*coderPath)());

} // namespace korimba::app
