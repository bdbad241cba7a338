#pragma once
// Functions of system libraries that most runs never call (the file dialog,
// the shell), looked up at their first call: linked, each library would be
// loaded with everything it loads at every start, and cost every run memory.
#include <windows.h>

namespace korimba::platform::win32 {

// The function from the system folder's library; null when either is missing.
FARPROC systemFunction(const char* library, const char* name);

template <typename Function>
Function* systemFunction(const char* library, const char* name) {
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(systemFunction(library, name)));
}

} // namespace korimba::platform::win32
