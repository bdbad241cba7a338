#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace korimba::e2e {

// Drops files on a window of another process as the shell does: an ANSI
// DROPFILES block inside the target process and a posted WM_DROPFILES.
void dropFiles(HWND target, const std::vector<std::string>& files, POINT at);

} // namespace korimba::e2e
