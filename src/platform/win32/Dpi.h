#pragma once
// The display's scale as Windows tells a program that declares itself aware
// of it. The calls of newer Windows are looked up; older ones have one scale,
// the screen's.
#include <windows.h>

namespace korimba::platform::win32 {

// Sent to a window moved to a monitor of another scale (newer headers only).
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The system's dots per inch: the screen's LOGPIXELSY where nothing newer answers.
int systemDpi();
// The dots per inch of the monitor the window is on, where Windows knows it per monitor.
int windowDpi(HWND window);
// The outer rectangle of a window whose client area is the rectangle, with the
// frame of the given scale.
RECT outerRect(RECT client, DWORD style, DWORD exStyle, int dpi);

} // namespace korimba::platform::win32
