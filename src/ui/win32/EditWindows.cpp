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

// Whether the window shows the memo's lines, whatever its line breaks.
bool showsLines(const Memo& memo, const std::string& shown) {
    if (shown == memo.text())
        return true;
    TextLines lines;
    lines.setText(shown);
    return lines == memo.lines();
}

// The edit control lays out every line when it takes a text, about a second
// for twenty thousand file names; the pointer says so meanwhile.
constexpr std::size_t kWaitCursorText = 100 * 1024;

void setLongText(HWND window, const std::string& text) {
    if (text.size() < kWaitCursorText) {
        SetWindowTextA(window, text.c_str());
        return;
    }
    HCURSOR before = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SetWindowTextA(window, text.c_str());
    SetCursor(before);
}

// A memo's content is its lines; its text follows them. A window that shows
// them already keeps its text as typed, with its caret and scrolling.
void mirrorLines(Control& control, HWND window, Property property) {
    if (property != Property::Items)
        return;
    const auto& memo = static_cast<const Memo&>(control);
    if (!showsLines(memo, windowText(window)))
        setLongText(window, memo.text());
}

void memoInitialState(Control& memo, HWND window) {
    noLengthLimit(window);
    mirrorLines(memo, window, Property::Items);
}

void memoNotified(Control& control, HWND window, UINT code) {
    if (code != EN_CHANGE)
        return;
    auto& memo = static_cast<Memo&>(control);
    const std::string text = windowText(window);
    if (showsLines(memo, text))
        return;
    TextLines shown;
    shown.setText(text);
    memo.lines() = std::move(shown);
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
