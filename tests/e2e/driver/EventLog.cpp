// keventlog.dll: what a screen reader hears, written down inside the program
// that tells it. Wine delivers a program's WinEvents to another process only
// through a hook of this kind, called in the program's own process; the driver
// reads the lines back from the file beside this library.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

HMODULE self() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&self), &module);
    return module;
}

} // namespace

// "<folder of this library>\winevents.log", where the driver reads.
extern "C" __declspec(dllexport) void eventLogPath(char* path, DWORD size) {
    const DWORD length = GetModuleFileNameA(self(), path, size);
    char* slash = length ? std::strrchr(path, '\\') : nullptr;
    if (!slash || static_cast<DWORD>(slash - path) + 14 >= size) {
        path[0] = '\0';
        return;
    }
    std::strcpy(slash + 1, "winevents.log");
}

extern "C" __declspec(dllexport) void CALLBACK logEvent(HWINEVENTHOOK, DWORD event, HWND window,
                                                       LONG object, LONG child, DWORD, DWORD) {
    char path[MAX_PATH];
    eventLogPath(path, MAX_PATH);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[96];
    const int length = std::snprintf(line, sizeof line, "%lu %lld %ld %ld\n", event,
                                     static_cast<long long>(reinterpret_cast<INT_PTR>(window)),
                                     object, child);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
}
