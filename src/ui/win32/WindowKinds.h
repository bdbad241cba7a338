#pragma once
// What each kind of control is as a child window, in one place per kind: its
// class and styles, its first state, how a change of the model reaches it, how
// its notifications reach the model and what its accelerator does. The
// painted kinds (pictures, bevels, shapes) have no window and no entry.
#include "ui/Control.h"

#include <windows.h>

#include <string>

namespace korimba::ui::win32 {

class Win32Backend;

struct WindowKind {
    const char* className;
    // Styles besides WS_CHILD, WS_VISIBLE and WS_DISABLED.
    DWORD (*style)(const Control& control);
    DWORD (*exStyle)(const Control& control);
    bool systemClass;   // a class of the system, subclassed to see its focus
    bool captionIsText; // the window shows the caption from its creation on
    // The kind's own part of the first state (the font and the hint are everyone's).
    void (*initialState)(Control& control, HWND window);
    // A change of the kind's own content (text, checked, items, index, position).
    void (*mirror)(Control& control, HWND window, Property property);
    // A notification the window sends its parent (WM_COMMAND's code).
    void (*notified)(Control& control, HWND window, UINT code);
    // Whether an Alt+letter of the caption reaches the control, and what it does.
    bool (*takesAccelerator)(const Control& control);
    void (*accelerate)(Win32Backend& backend, Control& control);
};

// The kind of a windowed control; null for a painted one.
const WindowKind* windowKindOf(const Control& control);

// For the kinds that share them.
DWORD noStyle(const Control&);
void noInitialState(Control&, HWND);
void noNotification(Control&, HWND, UINT);
bool takesNoAccelerator(const Control&);
void noAccelerator(Win32Backend&, Control&);
// The caption as the window's text; equal text is left alone, so an edit keeps
// its caret and sends no change notification for nothing.
void mirrorCaption(Control& control, HWND window, Property property);
std::string windowText(HWND window);

} // namespace korimba::ui::win32
