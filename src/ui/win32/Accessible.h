#pragma once
// What a screen reader is told of a control that draws itself: its window
// answers WM_GETOBJECT for its client with an accessible object of its own,
// built on the system's standard one, from the model's description.
#include "ui/Backend.h"
#include "ui/CustomControl.h"

#include <windows.h>

namespace korimba::ui::win32 {

// True, with the object in `result`, when the control describes itself;
// false leaves the message to the system.
bool answerAccessibleObject(HWND window, const CustomControl& control, WPARAM wParam, LPARAM lParam,
                            LRESULT& result);

// Tells screen readers of a change to the window's client object.
void notifyAccessible(HWND window, AccessibleEvent event);

} // namespace korimba::ui::win32
