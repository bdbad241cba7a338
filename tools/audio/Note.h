#pragma once
// The words of the coders' warnings; the note that carries them is jobs/CoderNote.h.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace korimba::audio {

// Seconds with one decimal. What was coded is rounded down, so that it never
// claims more than is there.
inline std::string secondsText(std::uint64_t frames, int sampleRate, bool roundDown) {
    double tenths = static_cast<double>(frames) * 10.0 / sampleRate;
    tenths = roundDown ? std::floor(tenths + 1e-9) : std::nearbyint(tenths);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
    return text;
}

// "the WAV file ended early: 1.2 s of 5.0 s coded"
inline std::string endedEarlyText(const std::string& container, std::uint64_t codedFrames,
                                  std::uint64_t promisedFrames, int sampleRate) {
    return "the " + container + " file ended early: " + secondsText(codedFrames, sampleRate, true) +
           " s of " + secondsText(promisedFrames, sampleRate, false) + " s coded";
}

} // namespace korimba::audio
