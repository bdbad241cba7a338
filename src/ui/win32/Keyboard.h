#pragma once
// The keys every form handles itself, ahead of the focused window: Tab and
// Shift+Tab walk the fields by tab order, Alt+letter runs the control whose
// caption marks that letter with '&'.
#include "ui/Form.h"

#include <windows.h>

#include <string>
#include <vector>

namespace korimba::ui::win32 {

class Win32Backend;

// True when the message was such a key and has been handled.
bool handleNavigationKey(Win32Backend& backend, const MSG& message);

// The fields Tab visits, in order: children by tabOrder (creation order among
// equals), panels entered where they stand. A radio button is a stop only while
// checked, so Tab enters a group at its choice instead of changing it.
std::vector<Control*> tabStops(const Form& form);

// True when the control and every container up to its form is visible and enabled.
bool reachable(const Control& control);

} // namespace korimba::ui::win32
