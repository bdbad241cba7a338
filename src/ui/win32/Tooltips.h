#pragma once
// Hints: one tooltip window per form, a tool for each control that shows its hint.
#include "ui/Control.h"

namespace korimba::ui::win32 {

// Adds, changes or removes the control's tool as its hint and showHint say.
void updateHint(Control& control);

} // namespace korimba::ui::win32
