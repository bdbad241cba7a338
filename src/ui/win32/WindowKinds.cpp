#include "ui/win32/WindowKinds.h"

namespace korimba::ui::win32 {

extern const WindowKind kPanelWindow;
extern const WindowKind kLabelWindow;
extern const WindowKind kEditWindow;
extern const WindowKind kMemoWindow;
extern const WindowKind kCheckBoxWindow;
extern const WindowKind kRadioButtonWindow;
extern const WindowKind kButtonWindow;
extern const WindowKind kComboBoxWindow;
extern const WindowKind kProgressBarWindow;
extern const WindowKind kCustomWindow;

const WindowKind* windowKindOf(const Control& control) {
    switch (control.kind()) {
    case ControlKind::Panel:
        return &kPanelWindow;
    case ControlKind::Label:
        return &kLabelWindow;
    case ControlKind::Edit:
        return &kEditWindow;
    case ControlKind::Memo:
        return &kMemoWindow;
    case ControlKind::CheckBox:
        return &kCheckBoxWindow;
    case ControlKind::RadioButton:
        return &kRadioButtonWindow;
    case ControlKind::Button:
        return &kButtonWindow;
    case ControlKind::ComboBox:
        return &kComboBoxWindow;
    case ControlKind::ProgressBar:
        return &kProgressBarWindow;
    case ControlKind::Custom:
        return &kCustomWindow;
    default:
        return nullptr;
    }
}

DWORD noStyle(const Control&) {
    return 0;
}

void noInitialState(Control&, HWND) {}

void noNotification(Control&, HWND, UINT) {}

bool takesNoAccelerator(const Control&) {
    return false;
}

void noAccelerator(Win32Backend&, Control&) {}

void mirrorCaption(Control& control, HWND window, Property property) {
    if (property == Property::Text && windowText(window) != control.text())
        SetWindowTextA(window, control.text().c_str());
}

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace korimba::ui::win32
