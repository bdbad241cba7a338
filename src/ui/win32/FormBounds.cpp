#include "ui/win32/FormBounds.h"

#include "ui/win32/Peers.h"

namespace korimba::ui::win32 {

void syncFormBounds(Form& form) {
    HWND window = windowOf(form);
    FormState* state = formStateOf(form);
    if (!window || !state || state->syncingBounds || IsIconic(window))
        return;
    RECT outer;
    GetWindowRect(window, &outer);
    // The model reports the change back; this flag keeps that from moving the window.
    state->syncingBounds = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{state->syncingBounds};
    form.setBounds(outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top);
}

} // namespace korimba::ui::win32
