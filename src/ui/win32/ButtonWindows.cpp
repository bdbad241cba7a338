// The system's buttons: check boxes, radio buttons and push buttons.
#include "ui/Controls.h"
#include "ui/win32/Keyboard.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WindowKinds.h"

namespace korimba::ui::win32 {

namespace {

bool checkedIn(const Control& control) {
    return control.kind() == ControlKind::CheckBox
               ? static_cast<const CheckBox&>(control).checked()
               : static_cast<const RadioButton&>(control).checked();
}

void mirrorCheck(Control& control, HWND window) {
    const WPARAM state = checkedIn(control) ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageA(window, BM_GETCHECK, 0, 0)) != state)
        SendMessageA(window, BM_SETCHECK, state, 0);
}

void mirrorCaptionAndCheck(Control& control, HWND window, Property property) {
    if (property == Property::Checked)
        mirrorCheck(control, window);
    else
        mirrorCaption(control, window, property);
}

bool takesAccelerator(const Control&) {
    return true;
}

DWORD checkBoxStyle(const Control&) {
    return WS_TABSTOP | BS_AUTOCHECKBOX;
}

void checkBoxNotified(Control& control, HWND window, UINT code) {
    if (code != BN_CLICKED)
        return;
    auto& box = static_cast<CheckBox&>(control);
    const bool shown = SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (shown != box.checked())
        box.setChecked(shown);
}

void toggle(Win32Backend& backend, Control& control) {
    auto& box = static_cast<CheckBox&>(control);
    backend.setFocus(box);
    box.setChecked(!box.checked());
}

DWORD radioButtonStyle(const Control&) {
    return BS_AUTORADIOBUTTON;
}

// A radio button reports a click also when it merely receives the focus; either
// way it becomes the checked one of its group, as the model groups them.
void radioButtonNotified(Control& control, HWND window, UINT code) {
    if (code != BN_CLICKED)
        return;
    auto& radio = static_cast<RadioButton&>(control);
    if (!radio.checked())
        radio.setChecked(true);
    else if (SendMessageA(window, BM_GETCHECK, 0, 0) != BST_CHECKED)
        SendMessageA(window, BM_SETCHECK, BST_CHECKED, 0);
}

void choose(Win32Backend& backend, Control& control) {
    auto& radio = static_cast<RadioButton&>(control);
    backend.setFocus(radio);
    radio.setChecked(true);
}

DWORD pushButtonStyle(const Control&) {
    return WS_TABSTOP | BS_PUSHBUTTON;
}

void pushButtonNotified(Control& control, HWND, UINT code) {
    if (code == BN_CLICKED)
        static_cast<Button&>(control).userPress();
}

void press(Win32Backend&, Control& control) {
    static_cast<Button&>(control).userPress();
}

} // namespace

extern const WindowKind kCheckBoxWindow{
    "BUTTON",         checkBoxStyle,    noStyle, true, true, mirrorCheck, mirrorCaptionAndCheck,
    checkBoxNotified, takesAccelerator, toggle};

extern const WindowKind kRadioButtonWindow{"BUTTON",
                                           radioButtonStyle,
                                           noStyle,
                                           true,
                                           true,
                                           mirrorCheck,
                                           mirrorCaptionAndCheck,
                                           radioButtonNotified,
                                           takesAccelerator,
                                           choose};

extern const WindowKind kButtonWindow{
    "BUTTON",      pushButtonStyle,    noStyle,          true, true, noInitialState,
    mirrorCaption, pushButtonNotified, takesAccelerator, press};

} // namespace korimba::ui::win32
