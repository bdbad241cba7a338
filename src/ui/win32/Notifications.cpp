#include "ui/win32/Notifications.h"

#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/win32/Properties.h"

namespace korimba::ui::win32 {

namespace {

void editChanged(Control& edit, HWND window) {
    const std::string shown = windowText(window);
    if (shown != edit.text())
        edit.setText(shown);
}

void memoChanged(Memo& memo, HWND window) {
    TextLines shown;
    shown.setText(windowText(window));
    if (shown == memo.lines())
        return;
    memo.lines() = shown;
    memo.linesChanged();
    if (memo.OnChange)
        Application::current().dispatch(memo.OnChange);
}

void checkBoxClicked(CheckBox& box, HWND window) {
    const bool shown = SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (shown != box.checked())
        box.setChecked(shown);
}

// A radio button reports a click also when it merely receives the focus; either
// way it becomes the checked one of its group, as the model groups them.
void radioButtonClicked(RadioButton& radio, HWND window) {
    if (!radio.checked())
        radio.setChecked(true);
    else if (SendMessageA(window, BM_GETCHECK, 0, 0) != BST_CHECKED)
        SendMessageA(window, BM_SETCHECK, BST_CHECKED, 0);
}

void comboSelectionChanged(ComboBox& combo, HWND window) {
    const auto index = static_cast<int>(SendMessageA(window, CB_GETCURSEL, 0, 0));
    if (index != combo.itemIndex())
        combo.setItemIndex(index);
    if (combo.OnChange)
        Application::current().dispatch(combo.OnChange);
}

} // namespace

void childCommand(Control& child, HWND window, UINT code) {
    switch (child.kind()) {
    case ControlKind::Edit:
        if (code == EN_CHANGE)
            editChanged(child, window);
        break;
    case ControlKind::Memo:
        if (code == EN_CHANGE)
            memoChanged(static_cast<Memo&>(child), window);
        break;
    case ControlKind::CheckBox:
        if (code == BN_CLICKED)
            checkBoxClicked(static_cast<CheckBox&>(child), window);
        break;
    case ControlKind::RadioButton:
        if (code == BN_CLICKED)
            radioButtonClicked(static_cast<RadioButton&>(child), window);
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE)
            comboSelectionChanged(static_cast<ComboBox&>(child), window);
        break;
    case ControlKind::Button:
        if (code == BN_CLICKED)
            static_cast<Button&>(child).userPress();
        break;
    default:
        break;
    }
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
