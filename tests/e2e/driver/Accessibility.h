#pragma once
#include "Protocol.h"
#include "WindowQuery.h"

#include <windows.h>

#include <string>

namespace korimba::e2e {

// {"name", "shortcut", "action", "role", "state", "description", "parts"} of the
// window's client object; parts are its simple-element children, {"name", "role"}.
std::string describeAccessible(HWND window);
// {"result": the HRESULT of its accDoDefaultAction}.
std::string doDefaultAction(HWND window);
// Hears from now on what the process tells screen readers (WinEvents); 0 stops.
void listenTo(DWORD process);
// What was heard since the last call, after the queue has been quiet a while:
// [{"event", "window", "object", "child"}], windows as their handles.
std::string heardEvents();

} // namespace korimba::e2e
