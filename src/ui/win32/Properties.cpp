#include "ui/win32/Properties.h"

#include "ui/Controls.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Tooltips.h"
#include "ui/win32/Win32Backend.h"

#include <commctrl.h>

namespace korimba::ui::win32 {

namespace {

void repaintWithChildren(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void mirrorText(Control& control, HWND window) {
    if (control.kind() == ControlKind::Memo || control.kind() == ControlKind::ComboBox)
        return; // their content is lines and items
    // Equal text is left alone: an edit keeps its caret, and its change
    // notification is not sent for nothing.
    if (windowText(window) != control.text())
        SetWindowTextA(window, control.text().c_str());
    if (control.kind() == ControlKind::Label || control.kind() == ControlKind::Panel)
        InvalidateRect(window, nullptr, FALSE);
}

void mirrorMemoLines(Memo& memo, HWND window) {
    TextLines shown;
    shown.setText(windowText(window));
    if (!(shown == memo.lines()))
        SetWindowTextA(window, memo.lines().text().c_str());
}

void mirrorChecked(Control& control, HWND window) {
    const bool checked = control.kind() == ControlKind::CheckBox
                             ? static_cast<CheckBox&>(control).checked()
                             : static_cast<RadioButton&>(control).checked();
    const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageA(window, BM_GETCHECK, 0, 0)) != state)
        SendMessageA(window, BM_SETCHECK, state, 0);
}

void mirrorItems(ComboBox& combo, HWND window) {
    SendMessageA(window, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : combo.items())
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(combo.itemIndex()), 0);
}

void mirrorItemIndex(ComboBox& combo, HWND window) {
    const auto index = static_cast<int>(SendMessageA(window, CB_GETCURSEL, 0, 0));
    if (index != combo.itemIndex())
        SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(combo.itemIndex()), 0);
}

void mirrorProgress(ProgressBar& bar, HWND window) {
    SendMessageA(window, PBM_SETRANGE32, static_cast<WPARAM>(bar.min()),
                 static_cast<LPARAM>(bar.max()));
    SendMessageA(window, PBM_SETPOS, static_cast<WPARAM>(bar.position()), 0);
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

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void mirrorProperty(Win32Backend& backend, Control& control, Property property) {
    HWND window = windowOf(control);
    if (!window) {
        mirrorWindowless(backend, control, property);
        return;
    }
    switch (property) {
    case Property::Text:
        mirrorText(control, window);
        if (sizesItself(control) && control.parent())
            placeChildren(backend, *control.parent());
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
        SendMessageA(window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(backend.gdi().font(control.font())), TRUE);
        if (sizesItself(control) && control.parent())
            placeChildren(backend, *control.parent());
        repaintWithChildren(window);
        break;
    case Property::Hint:
        updateHint(control);
        break;
    case Property::Checked:
        if (control.kind() == ControlKind::CheckBox || control.kind() == ControlKind::RadioButton)
            mirrorChecked(control, window);
        break;
    case Property::Items:
        if (control.kind() == ControlKind::ComboBox)
            mirrorItems(static_cast<ComboBox&>(control), window);
        else if (control.kind() == ControlKind::Memo)
            mirrorMemoLines(static_cast<Memo&>(control), window);
        break;
    case Property::ItemIndex:
        if (control.kind() == ControlKind::ComboBox)
            mirrorItemIndex(static_cast<ComboBox&>(control), window);
        break;
    case Property::Position:
        if (control.kind() == ControlKind::ProgressBar)
            mirrorProgress(static_cast<ProgressBar&>(control), window);
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
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(backend.gdi().font(control.font())),
                 FALSE);
    switch (control.kind()) {
    case ControlKind::Edit:
        SendMessageA(window, EM_LIMITTEXT, 0, 0); // no length limit beyond the system's
        mirrorText(control, window);
        break;
    case ControlKind::Memo:
        SendMessageA(window, EM_LIMITTEXT, 0, 0);
        mirrorMemoLines(static_cast<Memo&>(control), window);
        break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        mirrorChecked(control, window);
        break;
    case ControlKind::ComboBox:
        mirrorItems(static_cast<ComboBox&>(control), window);
        break;
    case ControlKind::ProgressBar:
        mirrorProgress(static_cast<ProgressBar&>(control), window);
        break;
    default:
        break;
    }
    updateHint(control);
}

} // namespace korimba::ui::win32
