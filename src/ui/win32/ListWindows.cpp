// The drop-down list and the progress bar.
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/win32/WindowKinds.h"

#include <commctrl.h>

namespace korimba::ui::win32 {

namespace {

DWORD comboBoxStyle(const Control&) {
    return WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
}

void mirrorItems(ComboBox& combo, HWND window) {
    SendMessageA(window, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : combo.items())
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(combo.itemIndex()), 0);
}

void comboBoxInitialState(Control& control, HWND window) {
    mirrorItems(static_cast<ComboBox&>(control), window);
}

// Its content is its items and the selection, never a caption.
void mirrorComboBox(Control& control, HWND window, Property property) {
    auto& combo = static_cast<ComboBox&>(control);
    if (property == Property::Items) {
        mirrorItems(combo, window);
    } else if (property == Property::ItemIndex) {
        const auto index = static_cast<int>(SendMessageA(window, CB_GETCURSEL, 0, 0));
        if (index != combo.itemIndex())
            SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(combo.itemIndex()), 0);
    }
}

void comboBoxNotified(Control& control, HWND window, UINT code) {
    if (code != CBN_SELCHANGE)
        return;
    auto& combo = static_cast<ComboBox&>(control);
    const auto index = static_cast<int>(SendMessageA(window, CB_GETCURSEL, 0, 0));
    if (index != combo.itemIndex())
        combo.setItemIndex(index);
    if (combo.OnChange)
        Application::current().dispatch(combo.OnChange);
}

void sendPosition(const ProgressBar& bar, HWND window) {
    SendMessageA(window, PBM_SETPOS, static_cast<WPARAM>(bar.position()), 0);
}

void mirrorProgress(Control& control, HWND window) {
    const auto& bar = static_cast<const ProgressBar&>(control);
    SendMessageA(window, PBM_SETRANGE32, static_cast<WPARAM>(bar.min()),
                 static_cast<LPARAM>(bar.max()));
    sendPosition(bar, window);
}

// The range is fixed at creation; a change of range would repaint the whole bar
// on each of the watcher's ticks.
void mirrorPosition(Control& control, HWND window, Property property) {
    if (property == Property::Position)
        sendPosition(static_cast<const ProgressBar&>(control), window);
}

} // namespace

extern const WindowKind kComboBoxWindow{"COMBOBOX",
                                        comboBoxStyle,
                                        noStyle,
                                        true,
                                        false,
                                        comboBoxInitialState,
                                        mirrorComboBox,
                                        comboBoxNotified,
                                        takesNoAccelerator,
                                        noAccelerator};

extern const WindowKind kProgressBarWindow{PROGRESS_CLASSA,
                                           noStyle,
                                           noStyle,
                                           true,
                                           false,
                                           mirrorProgress,
                                           mirrorPosition,
                                           noNotification,
                                           takesNoAccelerator,
                                           noAccelerator};

} // namespace korimba::ui::win32
