#include "platform/win32/Win32Platform.h"

#include "platform/CommandLine.h"
#include "platform/win32/Owned.h"
#include "platform/win32/SystemLibrary.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

namespace korimba::platform::win32 {

namespace {

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

FileTime fileTimeValue(const FILETIME& time) {
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// GetTickCount wraps after 49.7 days, which would date the start of Windows
// far too late; the 64-bit count exists from Vista on.
ULONGLONG millisecondsSinceSystemStart() {
    using TickCount64 = ULONGLONG(WINAPI*)();
    const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64");
    if (!found)
        return GetTickCount();
    return reinterpret_cast<TickCount64>(reinterpret_cast<void (*)()>(found))();
}

// Text from one code page to another, through UTF-16.
std::string convertedText(const std::string& text, UINT from, UINT to) {
    const std::wstring wide = wideOf(text, from);
    const int wideLength = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr,
                                           nullptr);
    std::string converted(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, converted.data(), length, nullptr,
                        nullptr);
    return converted;
}

// Parent of a folder path, or "" at a root ("C:", "\\server\share", "").
std::string parentFolder(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos || slash == 0)
        return {};
    return path.substr(0, slash);
}

} // namespace

std::wstring wideOf(const std::string& text, unsigned codePage) {
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string ansiOf(const std::wstring& wide) {
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
    return text;
}

bool Win32FileSystem::exists(const std::string& path) const {
    return attributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::isFolder(const std::string& path) const {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool Win32FileSystem::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    return CopyFileA(from.c_str(), to.c_str(), failIfExists) != 0;
}

bool Win32FileSystem::createFolders(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    if (folder.empty() || isFolder(folder))
        return !folder.empty();
    const std::string parent = parentFolder(folder);
    if (!parent.empty() && parent.back() != ':' && !isFolder(parent))
        createFolders(parent);
    return CreateDirectoryA(folder.c_str(), nullptr) != 0 || isFolder(folder);
}

bool Win32FileSystem::removeFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != 0;
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path) const {
    // Sharing deletion too: a file that was just renamed into place is still open
    // for deletion by the one who moved it, and reading must not fail then.
    const OwnedFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string content;
    char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) != 0) && got > 0)
        content.append(chunk, got);
    if (!ok)
        return std::nullopt;
    return content;
}

bool Win32FileSystem::writeFile(const std::string& path, const std::string& content) {
    OwnedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool ok = content.empty() ||
                    (WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()),
                               &written, nullptr) != 0 &&
                     written == content.size());
    // The last write may fail only as the file closes.
    return file.close() && ok;
}

std::string Win32FileSystem::shortPathName(const std::string& path) const {
    // A buffer of 260 announced as 259: a longer short form is a failure, and
    // the returned count is then the size needed, not a length.
    char buffer[260] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, 259);
    if (length == 0 || length >= 259)
        return {};
    return std::string(buffer, length);
}

// A name of up to 255 characters takes up to 765 bytes in UTF-8: more than
// WIN32_FIND_DATAA holds.
std::optional<std::string> Win32FileSystem::findFirstName(const std::string& pattern) const {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wideOf(pattern, CP_ACP).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FindClose(search);
    return ansiOf(found.cFileName);
}

std::vector<FolderEntry> Win32FileSystem::listFolder(const std::string& folder) const {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wideOf(folder + "*", CP_ACP).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string name = ansiOf(found.cFileName);
        if (name != "." && name != "..")
            entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

std::optional<FileTime> Win32FileSystem::lastWriteTime(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return fileTimeValue(data.ftLastWriteTime);
}

std::optional<std::uint64_t> Win32FileSystem::fileSize(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::canWriteFolder(const std::string& folder) {
    // A name of this process's own; a file that already has it is left alone.
    const std::string stem = folder + "~korimba-probe-" + std::to_string(GetCurrentProcessId());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string probe = stem + "-" + std::to_string(attempt) + ".tmp";
        OwnedFile file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (!file) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                continue;
            return false;
        }
        file.close();
        // Scripts delete themselves here, so a folder that lets files be made
        // but not removed is no good either.
        return DeleteFileA(probe.c_str()) != 0;
    }
    return false;
}

std::string Win32Profile::read(const std::string& file, const std::string& section,
                               const std::string& key, const std::string& fallback) const {
    // The API truncates silently; grow until the value leaves room to spare.
    std::string buffer(1024, '\0');
    while (true) {
        const DWORD length =
            GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                     static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 2 < buffer.size() || buffer.size() >= (1u << 24))
            return buffer.substr(0, length);
        buffer.assign(buffer.size() * 4, '\0');
    }
}

bool Win32Profile::write(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           0;
}

bool Win32Shell::execute(WindowHandle owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& directory,
                         int showCommand) {
    static const auto shellExecute =
        systemFunction<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!shellExecute)
        return false;
    const HINSTANCE result =
        shellExecute(static_cast<HWND>(owner), verb.c_str(), file.c_str(), parameters.c_str(),
                     directory.c_str(), showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Shell::exitWindows(unsigned flags, unsigned reserved) {
    ExitWindowsEx(flags, reserved);
}

std::string Win32Process::executablePath() const {
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return ansiOf(buffer.substr(0, length));
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

std::vector<std::string> Win32Process::arguments() const {
    std::vector<std::string> all = splitCommandLine(GetCommandLineA());
    if (!all.empty())
        all.erase(all.begin());
    return all;
}

bool Win32TextEncoding::isLeadByte(unsigned char byte) const {
    return IsDBCSLeadByte(byte) != 0;
}

bool Win32TextEncoding::usesUtf8() const {
    return GetACP() == CP_UTF8;
}

std::string Win32TextEncoding::fromLegacyAnsi(const std::string& text) const {
    // The system locale's ANSI code page, which the manifest does not change.
    char number[8] = {};
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, number, sizeof number);
    const UINT legacy = static_cast<UINT>(std::strtoul(number, nullptr, 10));
    if (legacy == 0 || legacy == GetACP() || text.empty())
        return text;
    return convertedText(text, legacy, CP_ACP);
}

FileTime Win32Process::systemStartTime() const {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return fileTimeValue(now) - millisecondsSinceSystemStart() * 10000;
}

unsigned Win32Process::processorCount() const {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system))
        return 1;
    unsigned count = 0;
    for (; process; process &= process - 1)
        ++count;
    return count ? count : 1;
}

std::optional<std::string> Win32TextEncoding::oemForm(const std::string& text,
                                                      std::string& missing) const {
    const std::wstring wide = wideOf(text, CP_ACP);
    std::string oem;
    // One character at a time, so that the first one without a form can be named.
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size();
        const int units = pair ? 2 : 1;
        char bytes[8];
        BOOL replaced = FALSE;
        const int length = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, &wide[i], units,
                                               bytes, sizeof bytes, nullptr, &replaced);
        if (length <= 0 || replaced) {
            char ansi[8];
            const int ansiLength = WideCharToMultiByte(CP_ACP, 0, &wide[i], units, ansi,
                                                       sizeof ansi, nullptr, nullptr);
            missing.assign(ansi, std::size_t(ansiLength > 0 ? ansiLength : 0));
            return std::nullopt;
        }
        oem.append(bytes, std::size_t(length));
        i += std::size_t(units - 1);
    }
    return oem;
}

void Win32Process::writeStandardError(const std::string& text) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(error, text.data(), DWORD(text.size()), &written, nullptr);
}

} // namespace korimba::platform::win32
