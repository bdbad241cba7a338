#pragma once
#include "ui/Form.h"

namespace korimba::ui::win32 {

// Tells the model where a form's window is and how big it is outside (after
// centring, a move by the user, a new client size). A minimized window keeps the
// model's bounds, so that the form comes back where it was.
void syncFormBounds(Form& form);

} // namespace korimba::ui::win32
