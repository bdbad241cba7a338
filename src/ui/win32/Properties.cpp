#include "ui/win32/Properties.h"

#include "ui/Controls.h"
#include "ui/win32/Accessible.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Tooltips.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WindowKinds.h"

namespace korimba::ui::win32 {

namespace {

void repaintWithChildren(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// A label without a size takes its caption's, so its text and font move it.
bool sizesItself(const Control& control) {
    return control.kind() == ControlKind::Label && (control.width() <= 0 || control.height() <= 0);
}

void mirrorWindowless(Win32Backend& backend, Control& control, Property property) {
    Control* parent = control.parent();
    if ((property == Property::Bounds || property == Property::Visible) && parent &&
        windowOf(*parent))
        placeChildren(backend, *parent);
    else
        repaintWithChildren(surfaceOf(control));
}

} // namespace

HFONT fontOf(Win32Backend& backend, const Control& control) {
    return backend.gdi().font(scaleOf(control).device(control.font()));
}

void mirrorProperty(Win32Backend& backend, Control& control, Property property) {
    HWND window = windowOf(control);
    if (!window) {
        mirrorWindowless(backend, control, property);
        return;
    }
    const WindowKind& kind = *windowKindOf(control);
    switch (property) {
    case Property::Text:
        kind.mirror(control, window, property);
        if (sizesItself(control) && control.parent())
            placeChildren(backend, *control.parent());
        // A status line read aloud as it changes; the system's own controls tell theirs.
        if (control.kind() == ControlKind::Label)
            notifyAccessible(window, AccessibleEvent::NameChange);
        break;
    case Property::Bounds:
        if (control.parent())
            placeChildren(backend, *control.parent());
        break;
    case Property::Visible:
        ShowWindow(window, control.visible() ? SW_SHOWNA : SW_HIDE);
        if (control.align() != Align::None && control.parent())
            placeChildren(backend, *control.parent());
        break;
    case Property::Enabled:
        EnableWindow(window, control.enabled());
        InvalidateRect(window, nullptr, TRUE);
        break;
    case Property::Color:
        repaintWithChildren(window);
        break;
    case Property::Font:
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(backend, control)), TRUE);
        if (sizesItself(control) && control.parent())
            placeChildren(backend, *control.parent());
        repaintWithChildren(window);
        break;
    case Property::Hint:
        updateHint(control);
        break;
    case Property::Checked:
    case Property::Items:
    case Property::ItemIndex:
    case Property::Position:
        kind.mirror(control, window, property);
        break;
    case Property::Picture:
    case Property::Style:
        if (control.kind() == ControlKind::Panel)
            placeChildren(backend, control); // the bevel narrows the aligned area
        repaintWithChildren(window);
        break;
    }
}

void mirrorInitialState(Win32Backend& backend, Control& control) {
    HWND window = windowOf(control);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(backend, control)), FALSE);
    windowKindOf(control)->initialState(control, window);
    updateHint(control);
}

} // namespace korimba::ui::win32
