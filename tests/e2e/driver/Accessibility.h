#pragma once
#include "Protocol.h"
#include "WindowQuery.h"

#include <windows.h>

#include <string>

namespace korimba::e2e {

// {"name", "shortcut", "action", "role", "state"} of the window's client object.
std::string describeAccessible(HWND window);
// {"result": the HRESULT of its accDoDefaultAction}.
std::string doDefaultAction(HWND window);

} // namespace korimba::e2e
