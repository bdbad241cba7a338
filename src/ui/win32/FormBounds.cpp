#include "ui/win32/FormBounds.h"

#include "ui/win32/NativeWindows.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Properties.h"

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
    const Rect bounds = designBounds(window, outer);
    form.setBounds(bounds.left, bounds.top, bounds.width, bounds.height);
}

namespace {

void refont(Win32Backend& backend, Control& container) {
    for (Control* child : container.children()) {
        if (HWND window = windowOf(*child))
            SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(backend, *child)),
                         FALSE);
        refont(backend, *child);
    }
}

void placeEveryChild(Win32Backend& backend, Control& container) {
    placeChildren(backend, container);
    for (Control* child : container.children())
        placeEveryChild(backend, *child);
}

} // namespace

void rescaleForm(Win32Backend& backend, Form& form, int dpi, const RECT& suggested) {
    HWND window = windowOf(form);
    FormState* state = formStateOf(form);
    if (!window || !state || dpi <= 0)
        return;
    state->dpi = dpi;
    refont(backend, form);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The same size at another scale sends no WM_SIZE: every place is made anew here.
    placeEveryChild(backend, form);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    syncFormBounds(form);
}

Rect designBounds(HWND window, const RECT& outer) {
    const Point corner = screenScale().design(Point{outer.left, outer.top});
    const Scale scale = scaleOf(window);
    return {corner.x, corner.y, scale.design(outer.right - outer.left),
            scale.design(outer.bottom - outer.top)};
}

RECT deviceBounds(HWND window, const Rect& bounds) {
    const Point corner = screenScale().device(Point{bounds.left, bounds.top});
    const Scale scale = scaleOf(window);
    return {corner.x, corner.y, corner.x + scale.device(bounds.width),
            corner.y + scale.device(bounds.height)};
}

} // namespace korimba::ui::win32
