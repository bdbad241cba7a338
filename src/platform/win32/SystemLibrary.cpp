#include "platform/win32/SystemLibrary.h"

#include <string>

namespace korimba::platform::win32 {

FARPROC systemFunction(const char* library, const char* name) {
    // From the system folder by its full path: never a look-alike beside the program.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::string path = std::string(folder, length) + "\\" + library;
    HMODULE module = GetModuleHandleA(path.c_str());
    if (!module)
        module = LoadLibraryA(path.c_str());
    return module ? GetProcAddress(module, name) : nullptr;
}

} // namespace korimba::platform::win32
