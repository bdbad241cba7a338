#pragma once
// The native windows of a form: window classes, one child window per windowed
// control with its styles and first state, and their placement in the parent.
#include "ui/Form.h"

#include <windows.h>

namespace korimba::ui::win32 {

class Win32Backend;

inline constexpr char kPanelClass[] = "TPanel";
inline constexpr char kLabelClass[] = "TLabel";
// One class for every control that draws itself.
inline constexpr char kCustomClass[] = "TCustomControl";

// Posted to a released form's window, which frees the form when it arrives.
inline constexpr UINT kReleaseFormMessage = WM_APP + 0x100;

// A form's window styles, from its border style, icons and stay-on-top.
DWORD formStyle(const Form& form);
DWORD formExStyle(const Form& form);
// Raises "Cannot create window" when the system refuses a class.
void registerControlClasses(HINSTANCE instance);
// A hidden top-level window of the form's own class (named as the form);
// raises "Cannot create window" when the system refuses it.
HWND createFormWindow(Win32Backend& backend, Form& form, HWND owner);
// The windows of every descendant, parents before children, in creation order.
// False when the system refused one: that control and its children stay without.
bool createChildWindows(Win32Backend& backend, Control& container);
// A new window for a control in place of its old one (a custom control whose
// creation style changed); false when the system refused it.
bool recreateChildWindow(Win32Backend& backend, Control& control);
// Places the children of a windowed container by their bounds and alignment.
void placeChildren(Win32Backend& backend, Control& container);
// The outer size of a form window whose client area has the given designed
// size, at the form's scale.
SIZE outerSizeFor(HWND form, int clientWidth, int clientHeight);

} // namespace korimba::ui::win32
