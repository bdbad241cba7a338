#pragma once
// The note a coder leaves beside its output, OUT + ".err", for the program and
// Message.exe: lines in the ANSI code page, each ended by CR LF. The first is
// what happened: after a failure the reason only; after a result that is whole
// but not all the input promised, "warning: " and what was wrong. The second is
// the input as the coder was given it (a short name in the scripts), so that a
// reader can name the file as its user knows it. A plain success leaves no note.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace korimba::audio {

inline std::string notePath(const std::string& output) {
    return output + ".err";
}

// Readers take the first line, so line breaks inside a system message become blanks.
inline std::string noteContent(const std::string& text) {
    std::string line;
    for (const char c : text) {
        const bool blank = c == '\r' || c == '\n' || c == '\t';
        if (blank && (line.empty() || line.back() == ' '))
            continue;
        line.push_back(blank ? ' ' : c);
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line + "\r\n";
}

// What a coder's note says from its start until it knows better.
inline constexpr const char* kUnfinishedNote = "the coder stopped before it had finished";

inline std::string warningNote(const std::string& warning) {
    return "warning: " + warning;
}

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
