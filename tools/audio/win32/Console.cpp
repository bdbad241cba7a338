#include "Console.h"

#include <cstdio>

namespace korimba::audio::win32 {

namespace {

// A progress line not yet ended; a message must not run on behind its percentage.
bool progressOpen = false;

void endProgress() {
    if (progressOpen)
        std::printf("\n");
    progressOpen = false;
    std::fflush(stdout);
}

} // namespace

void reportFailure(const char* program, const std::string& file, const std::string& message) {
    endProgress();
    if (file.empty())
        std::fprintf(stderr, "%s: %s\n", program, message.c_str());
    else
        std::fprintf(stderr, "%s: %s: %s\n", program, file.c_str(), message.c_str());
    std::fflush(stderr);
}

void reportWarning(const char* program, const std::string& file, const std::string& message) {
    endProgress();
    std::fprintf(stderr, "%s: warning: %s: %s\n", program, file.c_str(), message.c_str());
    std::fflush(stderr);
}

void ProgressLine::update(std::uint64_t done, std::uint64_t total) {
    const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
    if (percent == shown_)
        return;
    shown_ = percent;
    std::printf("\r%s %3d%%", label_.c_str(), percent);
    progressOpen = true;
    std::fflush(stdout);
}

void ProgressLine::finish() {
    update(1, 1);
    endProgress();
}

} // namespace korimba::audio::win32
