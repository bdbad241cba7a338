#include "Console.h"

#include <cstdio>

namespace korimba::audio::win32 {

void reportFailure(const char* program, const std::string& file, const std::string& message) {
    std::fflush(stdout);
    if (file.empty())
        std::fprintf(stderr, "%s: %s\n", program, message.c_str());
    else
        std::fprintf(stderr, "%s: %s: %s\n", program, file.c_str(), message.c_str());
    std::fflush(stderr);
}

void ProgressLine::update(std::uint64_t done, std::uint64_t total) {
    const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
    if (percent == shown_)
        return;
    shown_ = percent;
    std::printf("\r%s %3d%%", label_.c_str(), percent);
    std::fflush(stdout);
}

void ProgressLine::finish() {
    update(1, 1);
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace korimba::audio::win32
