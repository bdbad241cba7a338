#include "Console.h"

#include <windows.h>

#include <cstdio>

namespace korimba::audio::win32 {

namespace {

// A progress line not yet ended; a message must not run on behind its percentage.
bool progressOpen = false;

// Text in the ANSI code page (UTF-8 with the manifest) shown in a console as
// its characters, whatever the console's own code page; to a pipe or a file
// it goes as it is.
void write(FILE* stream, const std::string& text) {
    std::fflush(stream);
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const int length =
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

void endProgress() {
    if (progressOpen)
        write(stdout, "\n");
    progressOpen = false;
}

} // namespace

void reportFailure(const char* program, const std::string& file, const std::string& message) {
    endProgress();
    write(stderr, std::string(program) + ": " + (file.empty() ? "" : file + ": ") + message + "\n");
}

void reportWarning(const char* program, const std::string& file, const std::string& message) {
    endProgress();
    write(stderr, std::string(program) + ": warning: " + file + ": " + message + "\n");
}

void ProgressLine::update(std::uint64_t done, std::uint64_t total) {
    const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
    if (percent == shown_)
        return;
    // Each write repaints the console window; more than a screen can show
    // only takes a processor from the coders beside this one.
    const DWORD now = GetTickCount();
    if (percent != 100 && shown_ >= 0 && now - shownAt_ < kShortestShown)
        return;
    shown_ = percent;
    shownAt_ = now;
    char number[8];
    std::snprintf(number, sizeof number, " %3d%%", percent);
    write(stdout, "\r" + label_ + number);
    progressOpen = true;
}

void ProgressLine::finish() {
    update(1, 1);
    endProgress();
}

} // namespace korimba::audio::win32
