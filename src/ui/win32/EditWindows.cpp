// Single-line and multi-line edits.
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/win32/WindowKinds.h"

namespace korimba::ui::win32 {

namespace {

void noLengthLimit(HWND window) {
    SendMessageA(window, EM_LIMITTEXT, 0, 0); // none beyond the system's
}

DWORD editStyle(const Control&) {
    return WS_TABSTOP | ES_AUTOHSCROLL;
}

DWORD clientEdge(const Control&) {
    return WS_EX_CLIENTEDGE;
}

void editInitialState(Control& edit, HWND window) {
    noLengthLimit(window);
    mirrorCaption(edit, window, Property::Text);
}

void editNotified(Control& edit, HWND window, UINT code) {
    if (code != EN_CHANGE)
        return;
    const std::string shown = windowText(window);
    if (shown != edit.text())
        edit.setText(shown);
}

DWORD memoStyle(const Control& control) {
    const auto& memo = static_cast<const Memo&>(control);
    DWORD style = WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (!memo.wordWrap())
        style |= ES_AUTOHSCROLL;
    if (memo.scrollBars())
        style |= WS_VSCROLL | (memo.wordWrap() ? 0 : WS_HSCROLL);
    return style;
}

// A memo's content is its lines; its text follows them.
void mirrorLines(Control& control, HWND window, Property property) {
    if (property != Property::Items)
        return;
    const auto& memo = static_cast<const Memo&>(control);
    TextLines shown;
    shown.setText(windowText(window));
    if (!(shown == memo.lines()))
        SetWindowTextA(window, memo.lines().text().c_str());
}

void memoInitialState(Control& memo, HWND window) {
    noLengthLimit(window);
    mirrorLines(memo, window, Property::Items);
}

void memoNotified(Control& control, HWND window, UINT code) {
    if (code != EN_CHANGE)
        return;
    auto& memo = static_cast<Memo&>(control);
    TextLines shown;
    shown.setText(windowText(window));
    if (shown == memo.lines())
        return;
    memo.lines() = shown;
    memo.linesChanged();
    if (memo.OnChange)
        Application::current().dispatch(memo.OnChange);
}

} // namespace

extern const WindowKind kEditWindow{
    "EDIT",        editStyle,    clientEdge,         true,         false, editInitialState,
    mirrorCaption, editNotified, takesNoAccelerator, noAccelerator};

extern const WindowKind kMemoWindow{
    "EDIT",      memoStyle,    clientEdge,         true,         false, memoInitialState,
    mirrorLines, memoNotified, takesNoAccelerator, noAccelerator};

} // namespace korimba::ui::win32
