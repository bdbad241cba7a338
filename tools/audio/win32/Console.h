#pragma once
// What the coders show in the job script's console window.
#include <cstdint>
#include <string>

namespace korimba::audio::win32 {

// "l3enc: D:\MUSIC\SONG.WAV: the WAV file has no format chunk" on standard error.
void reportFailure(const char* program, const std::string& file, const std::string& message);

// "l3enc: warning: D:\MUSIC\SONG.WAV: the WAV file ended early: ..." on standard error.
void reportWarning(const char* program, const std::string& file, const std::string& message);

// One line that counts up to 100 % in place.
class ProgressLine {
public:
    explicit ProgressLine(std::string label) : label_(std::move(label)) {}
    void update(std::uint64_t done, std::uint64_t total);
    void finish();

private:
    static constexpr std::uint32_t kShortestShown = 50; // milliseconds
    std::string label_;
    int shown_ = -1;
    std::uint32_t shownAt_ = 0;
};

} // namespace korimba::audio::win32
