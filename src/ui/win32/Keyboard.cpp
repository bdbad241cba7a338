#include "ui/win32/Keyboard.h"

#include "ui/Accelerator.h"
#include "ui/Controls.h"
#include "ui/CustomControl.h"
#include "ui/win32/Guard.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WindowKinds.h"

#include <algorithm>
#include <cctype>

namespace korimba::ui::win32 {

namespace {

bool keyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// A control that draws itself is reached by Tab when it tells screen readers
// that it is focusable; the model's focus stays with the fields.
bool keyboardOnlyStop(const Control& control) {
    return control.kind() == ControlKind::Custom &&
           (static_cast<const CustomControl&>(control).accessible().state & asFocusable);
}

bool isTabStop(const Control& control) {
    if (!(control.canFocus() || keyboardOnlyStop(control)) || !windowOf(control) ||
        !reachable(control))
        return false;
    if (control.kind() == ControlKind::RadioButton)
        return static_cast<const RadioButton&>(control).checked();
    return true;
}

void collectTabStops(const Control& container, std::vector<Control*>& stops) {
    std::vector<Control*> ordered = container.children();
    std::stable_sort(ordered.begin(), ordered.end(), [](const Control* a, const Control* b) {
        return a->tabOrder() < b->tabOrder();
    });
    for (Control* child : ordered) {
        if (isTabStop(*child))
            stops.push_back(child);
        else if (reachable(*child))
            collectTabStops(*child, stops);
    }
}

Control* focusedControl(const Form& form) {
    Peer* peer = livePeer(GetFocus());
    if (peer && peer->control->form() == &form)
        return peer->control;
    return form.activeControl();
}

void moveFocus(Win32Backend& backend, Form& form, bool backward) {
    const auto stops = tabStops(form);
    if (stops.empty())
        return;
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const auto found = std::find(stops.begin(), stops.end(), focusedControl(form));
    std::ptrdiff_t next = 0;
    if (found == stops.end())
        next = backward ? count - 1 : 0;
    else
        next = ((found - stops.begin()) + (backward ? count - 1 : 1)) % count;
    // The keyboard is in use now: the system's controls show where the focus is.
    SendMessageA(windowOf(form), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    Control& stop = *stops[static_cast<std::size_t>(next)];
    if (keyboardOnlyStop(stop))
        SetFocus(windowOf(stop));
    else
        backend.setFocus(stop);
}

bool takesAccelerator(const Control& control) {
    const WindowKind* kind = windowKindOf(control);
    return kind && kind->takesAccelerator(control);
}

Control* acceleratorTarget(const Control& container, char letter) {
    for (Control* child : container.children()) {
        if (!reachable(*child))
            continue;
        if (takesAccelerator(*child) && acceleratorOf(child->text()) == letter)
            return child;
        if (Control* inner = acceleratorTarget(*child, letter))
            return inner;
    }
    return nullptr;
}

// Custom controls are offered the letter first, as the window offers its
// controls an accelerator; each decides itself whether it takes it.
bool offerToCustomControls(Control& container, char letter) {
    for (Control* child : container.children()) {
        if (!child->visible())
            continue;
        if (child->kind() == ControlKind::Custom) {
            bool taken = false;
            auto& custom = static_cast<CustomControl&>(*child);
            Application::current().dispatch([&] { taken = custom.dialogChar(letter); });
            if (taken)
                return true;
        } else if (child->enabled() && offerToCustomControls(*child, letter)) {
            return true;
        }
    }
    return false;
}

void runAccelerator(Win32Backend& backend, Control& target) {
    windowKindOf(target)->accelerate(backend, target);
}

} // namespace

bool reachable(const Control& control) {
    for (const Control* c = &control; c; c = c->parent())
        if (!c->visible() || !c->enabled())
            return false;
    return true;
}

std::vector<Control*> tabStops(const Form& form) {
    std::vector<Control*> stops;
    collectTabStops(form, stops);
    return stops;
}

bool handleNavigationKey(Win32Backend& backend, const MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && !keyDown(VK_CONTROL) &&
        !keyDown(VK_MENU)) {
        Form* form = formOfWindow(message.hwnd);
        if (!form)
            return false;
        const bool backward = keyDown(VK_SHIFT);
        guarded([&] { moveFocus(backend, *form, backward); });
        return true;
    }
    if (message.message == WM_SYSCHAR) {
        Form* form = formOfWindow(message.hwnd);
        if (!form)
            return false;
        const auto letter = static_cast<char>(
            std::toupper(static_cast<unsigned char>(static_cast<char>(message.wParam))));
        bool taken = false;
        guarded([&] { taken = offerToCustomControls(*form, letter); });
        if (taken)
            return true;
        Control* target = acceleratorTarget(*form, letter);
        if (!target)
            return false;
        guarded([&] { runAccelerator(backend, *target); });
        return true;
    }
    return false;
}

} // namespace korimba::ui::win32
