#include "ui/win32/ModalRun.h"

#include "ui/win32/Peers.h"

namespace korimba::ui::win32 {

namespace {

struct Collecting {
    HWND keep;
    std::vector<HWND>* windows;
};

BOOL CALLBACK collectEnabled(HWND window, LPARAM parameter) {
    auto* collecting = reinterpret_cast<Collecting*>(parameter);
    if (window != collecting->keep && IsWindowVisible(window) && IsWindowEnabled(window))
        collecting->windows->push_back(window);
    return TRUE;
}

} // namespace

ModalRun::ModalRun(Form& modalForm) : form(modalForm) {
    Collecting collecting{windowOf(form), &disabled};
    EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&collecting));
    for (HWND window : disabled)
        EnableWindow(window, FALSE);
}

void ModalRun::release() {
    for (HWND window : disabled)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    disabled.clear();
}

} // namespace korimba::ui::win32
