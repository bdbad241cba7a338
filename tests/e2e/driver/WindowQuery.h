#pragma once
// Window arguments of the driver's commands: a window handle number, or a path
// in brackets that names a top-level window and then descendants, e.g.
//   [ pid=42 class=TForm1 > class=Edit index=1 ]
// Keys: hwnd pid class caption (exact) caption~ (contains) id index visible enabled.
// Each level takes the index-th match (from 0) in enumeration order; a level
// after ">" searches all descendants of the window found so far.
#include "Protocol.h"

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korimba::e2e {

struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct WindowCriteria {
    std::optional<HWND> hwnd;
    std::optional<DWORD> pid;
    std::optional<std::string> className;
    std::optional<std::string> caption;
    std::optional<std::string> captionContains;
    std::optional<int> id;
    std::optional<bool> visible;
    std::optional<bool> enabled;
    int index = 0;

    bool matches(HWND window) const;
};

struct WindowPath {
    HWND handle = nullptr; // set for a plain handle argument
    std::vector<WindowCriteria> levels;
};

long long parseNumber(const std::string& text);
WindowPath parseWindowPath(const std::vector<Token>& tokens, size_t& pos);

// Null when no window matches (or the handle names no window).
HWND findWindow(const WindowPath& path);
// Like findWindow, but a miss is an error naming the path.
HWND requireWindow(const WindowPath& path);

std::vector<HWND> topLevelWindows();
std::vector<HWND> descendantWindows(HWND parent);

std::string windowClass(HWND window);
// The caption the window manager keeps; for another process's edit this is not
// the live text (use WM_GETTEXT for that).
std::string windowCaption(HWND window);
DWORD windowProcess(HWND window);
std::string rectJson(const RECT& rect);
// Handle, process, thread, class, caption, visible, enabled, rect; a child adds
// its control id, parent and top-level window, a top-level window its owner and X11 window.
std::string describeWindow(HWND window);

} // namespace korimba::e2e
