// The three path functions of shlwapi.dll that libmpg123's Windows file code
// imports. l3dec hands libmpg123 an open file and never a name, so they are
// not called; but importing shlwapi.dll would load user32.dll and gdi32.dll
// into a console program (fonts and all, a costly start under Wine). Instead
// the import pointers the library calls through are defined here. Should a
// name ever reach them, they refuse it rather than guess: no name can be
// combined, and the library reports that it cannot open one.
#include <windows.h>

namespace {

BOOL WINAPI pathIsRelative(const wchar_t*) {
    return TRUE;
}

BOOL WINAPI pathIsUnc(const wchar_t*) {
    return FALSE;
}

wchar_t* WINAPI pathCombine(wchar_t* out, const wchar_t*, const wchar_t*) {
    if (out)
        *out = L'\0';
    return nullptr;
}

} // namespace

// What the import thunks would point to; named as the linker names them
// (stdcall names carry their argument bytes on 32-bit Windows).
#ifdef _WIN64
#define IMPORT_POINTER(name, bytes) "__imp_" #name
#else
#define IMPORT_POINTER(name, bytes) "__imp__" #name "@" #bytes
#endif

extern "C" {
extern void* const importPathIsRelativeW __asm__(IMPORT_POINTER(PathIsRelativeW, 4));
extern void* const importPathIsUNCW __asm__(IMPORT_POINTER(PathIsUNCW, 4));
extern void* const importPathCombineW __asm__(IMPORT_POINTER(PathCombineW, 12));
void* const importPathIsRelativeW = reinterpret_cast<void*>(&pathIsRelative);
void* const importPathIsUNCW = reinterpret_cast<void*>(&pathIsUnc);
void* const importPathCombineW = reinterpret_cast<void*>(&pathCombine);
}
