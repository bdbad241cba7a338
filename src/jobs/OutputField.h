#pragma once
// How the output field is completed from the input and the preferences when
// the user enters and leaves it (and when a job command passes through it).
#include "jobs/PathRules.h"

#include <string>

namespace korimba::jobs {

struct OutputPreferences {
    bool fillFolder = true;         // "Output folder"
    bool otherFolderChosen = false; // "Other:" rather than "Same as input folder"
    std::string otherFolder;        // as typed
    bool appendExtension = true;    // "Output extension"
    bool appendFileName = false;    // "Output filename"
};

// Entering: an empty output gets the chosen folder; then an output that names
// no file gets the input's name without its last four characters.
std::string outputOnEnter(const std::string& output, const std::string& input,
                          const OutputPreferences& preferences,
                          const text::CodePage& codePage = {});
// Leaving: a non-empty output without extension gets ".mp3" for a wave input
// and ".wav" for an MP3 input.
std::string outputOnExit(const std::string& output, const std::string& input,
                         const OutputPreferences& preferences, const text::CodePage& codePage = {});

} // namespace korimba::jobs
