#pragma once
// Model to native: one property of a control (not a form) onto its window, or
// onto the parent's painting for a windowless control.
#include "ui/Control.h"
#include "ui/win32/WindowKinds.h"

#include <windows.h>

#include <string>

namespace korimba::ui::win32 {

class Win32Backend;

void mirrorProperty(Win32Backend& backend, Control& control, Property property);
// The control's font as its window shows it, at its form's scale.
HFONT fontOf(Win32Backend& backend, const Control& control);
// Everything a new child window takes from its control beyond styles and place.
void mirrorInitialState(Win32Backend& backend, Control& control);

} // namespace korimba::ui::win32
