#include "ui/win32/Win32Backend.h"

#include "platform/Exception.h"
#include "ui/Application.h"
#include "ui/Timer.h"
#include "ui/win32/FormBounds.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Properties.h"

#include <commctrl.h>

#include <algorithm>

namespace korimba::ui::win32 {

namespace {

void startTimer(Timer& timer) {
    HWND window = windowOf(*timer.owner());
    const auto id = reinterpret_cast<UINT_PTR>(&timer);
    KillTimer(window, id);
    if (timer.enabled() && timer.interval() > 0)
        SetTimer(window, id, static_cast<UINT>(timer.interval()), nullptr);
}

// Containers are placed top-down so that aligned children see their parent's final size.
void placeAll(Win32Backend& backend, Control& container) {
    placeChildren(backend, container);
    for (Control* child : container.children())
        if (windowOf(*child) && !child->children().empty())
            placeAll(backend, *child);
}

// The model lets go of every window of a form before the windows go.
void detachModel(Control& control) {
    if (Peer* peer = peerOf(windowOf(control)))
        peer->control = nullptr;
    control.native = nullptr;
    for (Control* child : control.children())
        detachModel(*child);
}

} // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                 ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
}

Win32Backend::~Win32Backend() = default;

void Win32Backend::createForm(Form& form) {
    closing_ = false;
    registerControlClasses(instance_);
    if (!running_ && &form != Application::current().mainForm() && !form.visible()) {
        deferred_.push_back(&form);
        return;
    }
    makeWindows(form);
}

void Win32Backend::makeDeferredWindows(Form& form) {
    const auto found = std::find(deferred_.begin(), deferred_.end(), &form);
    if (found == deferred_.end())
        return;
    deferred_.erase(found);
    // Reported as a refused creation always was; a modal run then says it again
    // and returns instead of waiting for a window that is not there.
    try {
        makeWindows(form);
    } catch (const Exception& error) {
        Application::current().showError(error.message());
    }
}

void Win32Backend::makeWindows(Form& form) {
    Form* mainForm = Application::current().mainForm();
    HWND owner = mainForm && mainForm != &form ? windowOf(*mainForm) : nullptr;
    HWND window = createFormWindow(*this, form, owner);
    form.native = window;
    const bool complete = createChildWindows(*this, form);
    placeAll(*this, form);
    for (Timer* timer : form.timers())
        startTimer(*timer);
    // The client size made the window; the model learns its outer bounds.
    syncFormBounds(form);
    if (!complete)
        throw windowCreateError(form.name());
}

void Win32Backend::destroyForm(Form& form) {
    deferred_.erase(std::remove(deferred_.begin(), deferred_.end(), &form), deferred_.end());
    HWND window = windowOf(form);
    detachModel(form);
    if (window && IsWindow(window))
        DestroyWindow(window);
}

void Win32Backend::propertyChanged(Control& control, Property property) {
    if (!closing_ && property == Property::Visible && control.kind() == ControlKind::Form &&
        static_cast<Form&>(control).visible())
        makeDeferredWindows(static_cast<Form&>(control));
    if (closing_ || !control.native)
        return;
    if (control.kind() != ControlKind::Form) {
        mirrorProperty(*this, control, property);
        return;
    }
    auto& form = static_cast<Form&>(control);
    HWND window = windowOf(form);
    switch (property) {
    case Property::Visible:
        if (form.visible())
            showForm(form);
        else
            hideForm(form);
        break;
    case Property::Bounds:
        formBoundsChanged(form);
        break;
    case Property::Text:
        if (windowText(window) != form.text())
            SetWindowTextA(window, form.text().c_str());
        break;
    case Property::Enabled:
        EnableWindow(window, form.enabled());
        break;
    case Property::Style:
        formStyleChanged(form);
        break;
    default:
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    }
}

void Win32Backend::releaseForm(Form& form) {
    if (HWND window = windowOf(form))
        PostMessageA(window, kReleaseFormMessage, 0, 0);
}

void Win32Backend::parentChanged(Control& control) {
    Control* parent = control.parent();
    if (closing_ || !parent)
        return;
    HWND window = windowOf(control);
    if (!window) {
        // A painted control draws on its new parent's window.
        control.native = parent->native;
        invalidate(control);
        return;
    }
    HWND parentWindow = windowOf(*parent);
    if (!parentWindow)
        return;
    SetParent(window, parentWindow);
    placeChildren(*this, *parent);
}

void Win32Backend::setFocus(Control& control) {
    Form* form = control.form();
    if (!form)
        return;
    HWND window = windowOf(control);
    HWND formWindow = windowOf(*form);
    const bool nativeFocusPossible = window && formWindow && IsWindowVisible(formWindow) &&
                                     IsWindowEnabled(formWindow) && IsWindowVisible(window) &&
                                     IsWindowEnabled(window);
    if (nativeFocusPossible) {
        SetFocus(window);
        // Already focused natively: no WM_SETFOCUS comes, so tell the model here.
        if (GetFocus() == window && form->activeControl() != &control)
            form->focusMoved(&control);
        return;
    }
    // A hidden form has no native focus; the model remembers it for the first show.
    form->focusMoved(&control);
}

void Win32Backend::timerChanged(Timer& timer) {
    if (!closing_ && windowOf(*timer.owner()))
        startTimer(timer);
}

void Win32Backend::clientToScreen(Control& control, int& x, int& y) {
    HWND window = windowOf(control);
    if (!window) {
        // A painted control: its place in the parent's window first.
        x += control.left();
        y += control.top();
        window = surfaceOf(control);
    }
    const Point device = scaleOf(control).device(Point{x, y});
    POINT point{device.x, device.y};
    if (window)
        ClientToScreen(window, &point);
    const Point screen = screenScale().design(Point{point.x, point.y});
    x = screen.x;
    y = screen.y;
}

void Win32Backend::minimizeApplication() {
    if (Form* mainForm = Application::current().mainForm())
        if (HWND window = windowOf(*mainForm))
            ShowWindow(window, SW_MINIMIZE);
}

void Win32Backend::terminate() {
    PostQuitMessage(0);
    // A menu's own loop takes the quit message out of the queue and goes on,
    // leaving a menu up and the process without a window: end it. Modal
    // dialogs and message boxes end on the quit message by themselves.
    EndMenu();
}

void* Win32Backend::handleOf(Form& form) {
    return windowOf(form);
}

HWND Win32Backend::ownerWindow(Form* preferred) const {
    for (Form* form : {preferred, Application::current().activeForm()}) {
        HWND window = form ? windowOf(*form) : nullptr;
        if (window && IsWindowVisible(window) && IsWindowEnabled(window))
            return window;
    }
    return GetActiveWindow();
}

} // namespace korimba::ui::win32
