// Showing, hiding and placing forms.
#include "ui/Application.h"
#include "ui/win32/FormBounds.h"
#include "ui/win32/ModalRun.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Win32Backend.h"

namespace korimba::ui::win32 {

namespace {

void centreOnScreen(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void activate(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
}

} // namespace

void Win32Backend::showForm(Form& form) {
    HWND window = windowOf(form);
    FormState* state = formStateOf(form);
    if (!window || !state)
        return;
    if (!state->shownOnce) {
        state->shownOnce = true;
        if (form.position() == FormPosition::ScreenCenter && !state->movedByProgram)
            centreOnScreen(window);
    }
    if (form.modal()) {
        HWND previous = GetActiveWindow();
        if (!previous || previous == window)
            previous = ownerWindow();
        state->returnTo = previous != window ? previous : nullptr;
    }
    if (!form.activatesOnShow()) {
        ShowWindow(window, SW_SHOWNA);
        return;
    }
    ShowWindow(window, SW_SHOW);
    activate(window);
}

void Win32Backend::hideForm(Form& form) {
    HWND window = windowOf(form);
    FormState* state = formStateOf(form);
    if (!window || !state)
        return;
    // The windows a modal form disabled come back first, so that one of them
    // can take the activation when it hides.
    releaseModalRuns(form);
    ShowWindow(window, SW_HIDE);
    HWND returnTo = state->returnTo;
    state->returnTo = nullptr;
    if (returnTo && IsWindow(returnTo) && IsWindowVisible(returnTo) && IsWindowEnabled(returnTo))
        activate(returnTo);
}

void Win32Backend::releaseModalRuns(Form& form) {
    for (ModalRun* run : modalRuns_)
        if (&run->form == &form)
            run->release();
}

// A form restyled while it has a window (a tool window made of a plain one)
// keeps its client size and its place.
void Win32Backend::formStyleChanged(Form& form) {
    HWND window = windowOf(form);
    FormState* state = formStateOf(form);
    if (!window || !state)
        return;
    const auto kept = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)) &
                      (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(formStyle(form) | kept));
    SetWindowLongPtrA(window, GWL_EXSTYLE,
                      static_cast<LONG_PTR>(formExStyle(form) & ~DWORD{WS_EX_TOPMOST}));
    // Only SetWindowPos moves a window into or out of the topmost band.
    const SIZE size = outerSizeFor(window, state->clientWidth, state->clientHeight);
    SetWindowPos(window, form.stayOnTop() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    syncFormBounds(form);
}

void Win32Backend::formBoundsChanged(Form& form) {
    HWND window = windowOf(form);
    FormState* state = formStateOf(form);
    // A minimized window has no place to compare with; it reports its own on return.
    if (!window || !state || state->syncingBounds || IsIconic(window))
        return;
    RECT outer;
    GetWindowRect(window, &outer);
    // Compared as the model has them, so that rounding never moves a window by itself.
    const Rect now = designBounds(window, outer);
    const Rect& wanted = form.bounds();
    if (form.clientWidth() != state->clientWidth || form.clientHeight() != state->clientHeight) {
        state->clientWidth = form.clientWidth();
        state->clientHeight = form.clientHeight();
        const SIZE size = outerSizeFor(window, form.clientWidth(), form.clientHeight());
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (wanted.left != now.left || wanted.top != now.top ||
               (wanted.width > 0 && wanted.width != now.width) ||
               (wanted.height > 0 && wanted.height != now.height)) {
        state->movedByProgram = true;
        const RECT place = deviceBounds(window, wanted);
        const int width = wanted.width > 0 ? place.right - place.left : outer.right - outer.left;
        const int height = wanted.height > 0 ? place.bottom - place.top : outer.bottom - outer.top;
        SetWindowPos(window, nullptr, place.left, place.top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    syncFormBounds(form);
}

} // namespace korimba::ui::win32
