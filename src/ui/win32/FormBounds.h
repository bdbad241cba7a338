#pragma once
#include "ui/Form.h"

#include <windows.h>

namespace korimba::ui::win32 {

// Tells the model where a form's window is and how big it is outside (after
// centring, a move by the user, a new client size). A minimized window keeps the
// model's bounds, so that the form comes back where it was.
void syncFormBounds(Form& form);

class Win32Backend;

// The form's window is now at another scale (moved to another monitor): it
// takes the place the system suggests, and its controls their fonts and places
// at the new scale.
void rescaleForm(Win32Backend& backend, Form& form, int dpi, const RECT& suggested);

// A form window's place on the screen as the model has it: its corner at the
// screen's scale, its size at the form's.
Rect designBounds(HWND window, const RECT& outer);
// And back: where the window goes for bounds the model gives.
RECT deviceBounds(HWND window, const Rect& bounds);

} // namespace korimba::ui::win32
