#include "ui/win32/Notifications.h"

#include "ui/Form.h"
#include "ui/win32/WindowKinds.h"

namespace korimba::ui::win32 {

void childCommand(Control& child, HWND window, UINT code) {
    if (const WindowKind* kind = windowKindOf(child))
        kind->notified(child, window, code);
}

void focusArrived(Control& control) {
    if (!control.canFocus())
        return;
    if (Form* form = control.form())
        form->focusMoved(&control);
}

LRESULT childColors(GdiObjects& gdi, const Control& child, HDC dc) {
    SetTextColor(dc, colorRef(child.font().color));
    SetBkColor(dc, colorRef(child.color()));
    return reinterpret_cast<LRESULT>(gdi.brush(child.color()));
}

} // namespace korimba::ui::win32
