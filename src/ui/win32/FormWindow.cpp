// The procedure of every form's window: activation, closing, dropped files, timers
// and the form's place, on top of what it shares with panels.
#include "platform/win32/Dpi.h"
#include "ui/Application.h"
#include "ui/Timer.h"
#include "ui/win32/DroppedFiles.h"
#include "ui/win32/FormBounds.h"
#include "ui/win32/Guard.h"
#include "ui/win32/Keyboard.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WindowProcedures.h"

#include <algorithm>

namespace korimba::ui::win32 {

namespace {

// The focus goes back where it was in the form, or to its first field.
void restoreFocus(Form& form, HWND window) {
    const auto stops = tabStops(form);
    Control* target = form.activeControl();
    if (std::find(stops.begin(), stops.end(), target) == stops.end())
        target = stops.empty() ? nullptr : stops.front();
    SetFocus(target ? windowOf(*target) : window);
}

// A message box or another program coming and going does not count: only a
// change of the application's active form raises OnActivate.
void formActivated(Form& form, HWND window) {
    if (!IsIconic(window))
        restoreFocus(form, window);
    if (Application::current().activeForm() != &form)
        form.userActivate();
}

BOOL CALLBACK tellColorChange(HWND child, LPARAM) {
    SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

void timerFired(Form& form, HWND window, UINT_PTR id) {
    for (Timer* timer : form.timers()) {
        if (reinterpret_cast<UINT_PTR>(timer) == id) {
            guarded([&] { timer->tick(); });
            return;
        }
    }
    KillTimer(window, id); // its model timer is gone
}

} // namespace

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        delete detachPeer(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    Peer* peer = livePeer(window);
    if (!peer)
        return DefWindowProcA(window, message, wParam, lParam);
    Form& form = static_cast<Form&>(*peer->control);
    LRESULT result = 0;
    if (handleContainerMessage(*peer, window, message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            break;
        guarded([&] { formActivated(form, window); });
        return 0;
    case WM_CLOSE:
        guarded([&] { form.userClose(); });
        return 0;
    case WM_DROPFILES: {
        NativeDrop files(reinterpret_cast<HDROP>(wParam));
        guarded([&] { form.userDropFiles(files); });
        return 0;
    }
    case WM_TIMER:
        timerFired(form, window, wParam);
        return 0;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of it; the controls that draw themselves must too.
        EnumChildWindows(window, tellColorChange, 0);
        break;
    case WM_WINDOWPOSCHANGED:
        guarded([&] { syncFormBounds(form); });
        break;
    case WM_MOVING: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        Rect proposed = designBounds(window, *rect);
        const Rect before = proposed;
        guarded([&] { Application::current().dispatch([&] { form.moving(proposed); }); });
        // Untouched, the system's own rectangle stays, unrounded.
        if (proposed != before)
            *rect = deviceBounds(window, proposed);
        return TRUE;
    }
    case platform::win32::kDpiChangedMessage:
        guarded([&] {
            rescaleForm(*peer->backend, form, LOWORD(wParam), *reinterpret_cast<RECT*>(lParam));
        });
        return 0;
    case WM_ACTIVATEAPP: {
        const bool active = wParam != FALSE;
        guarded(
            [&] { Application::current().dispatch([&] { form.applicationActivated(active); }); });
        return 0;
    }
    case kReleaseFormMessage:
        // The window goes with the form; nothing of either may be touched after this.
        guarded([&] { Application::current().freeForm(form); });
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace korimba::ui::win32
