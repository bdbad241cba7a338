// The three path functions of shlwapi.dll that libmpg123's Windows file code
// imports. l3dec hands libmpg123 an open file and never a name, so they are
// not called; but importing shlwapi.dll would load user32.dll and gdi32.dll
// into a console program (fonts and all, a costly start under Wine). Instead
// the import pointers the library calls through are defined here, pointing at
// our own versions of the three, which follow the documented behaviour.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool hasDrive(const wchar_t* path) {
    return path[0] != 0 && path[1] == L':';
}

BOOL WINAPI pathIsRelative(const wchar_t* path) {
    if (!path || !*path)
        return TRUE;
    return !(path[0] == L'\\' || hasDrive(path));
}

BOOL WINAPI pathIsUnc(const wchar_t* path) {
    return path && path[0] == L'\\' && path[1] == L'\\';
}

// The root of a path: "C:\\", "C:", "\\\\server\\share\\", "\\" or none.
std::wstring rootOf(const std::wstring& path) {
    if (hasDrive(path.c_str()))
        return path.substr(0, path.size() > 2 && isSeparator(path[2]) ? 3 : 2);
    if (pathIsUnc(path.c_str())) {
        std::size_t end = 2;
        for (int part = 0; part < 2 && end < path.size(); ++part) {
            while (end < path.size() && !isSeparator(path[end]))
                ++end;
            if (end < path.size())
                ++end;
        }
        return path.substr(0, end);
    }
    return path.substr(0, !path.empty() && isSeparator(path[0]) ? 1 : 0);
}

// "dir" and "file" joined with one backslash, "." and ".." resolved: an
// absolute "file" stands alone, and "\\x" takes the drive of "dir".
wchar_t* WINAPI pathCombine(wchar_t* out, const wchar_t* dir, const wchar_t* file) {
    if (!out)
        return nullptr;
    out[0] = 0;
    if ((!dir && !file) || (dir && std::wcslen(dir) >= MAX_PATH) ||
        (file && std::wcslen(file) >= MAX_PATH))
        return nullptr;
    const std::wstring first = dir ? dir : L"";
    const std::wstring second = file ? file : L"";
    std::wstring joined;
    if (pathIsUnc(second.c_str()) || hasDrive(second.c_str()))
        joined = second;
    else if (!second.empty() && second[0] == L'\\')
        joined = (hasDrive(first.c_str()) ? first.substr(0, 2) : L"") + second;
    else if (second.empty() || first.empty() || isSeparator(first.back()))
        joined = first + second;
    else
        joined = first + L"\\" + second;

    const std::wstring root = rootOf(joined);
    std::vector<std::wstring> segments;
    std::size_t at = root.size();
    while (at < joined.size()) {
        std::size_t end = at;
        while (end < joined.size() && !isSeparator(joined[end]))
            ++end;
        const std::wstring segment = joined.substr(at, end - at);
        if (segment == L"..") {
            // Never above a root; a relative path keeps what it cannot undo.
            if (!segments.empty() && segments.back() != L"..")
                segments.pop_back();
            else if (root.empty())
                segments.push_back(segment);
        } else if (!segment.empty() && segment != L".") {
            segments.push_back(segment);
        }
        at = end + 1;
    }
    std::wstring result = root;
    for (std::size_t i = 0; i < segments.size(); ++i)
        result += (i > 0 ? L"\\" : L"") + segments[i];
    if (result.empty())
        result = L"\\";
    if (result.size() >= MAX_PATH)
        return nullptr;
    std::wcscpy(out, result.c_str());
    return out;
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
