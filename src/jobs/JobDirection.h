#pragma once
// What tells the encode direction from the decode one, in one place: the files
// its jobs keep in the program folder, its names in Temp and its words. The
// single-file and list jobs, the watchers, the completion notice and Cleaner
// all take them from here.
#include <string_view>

namespace korimba::jobs {

struct JobDirection {
    const char* verb;       // "Encoding": the status label, the list captions
    const char* participle; // "encoded": the reports
    // Exists exactly while a job of the direction runs, single-file or list.
    const char* lockFile;
    const char* progressFile;    // a list job's position, for the watcher
    const char* pendingProgress; // written there, then moved into place whole
    // The single scripts' temporary outputs in Temp, erased before they run.
    std::string_view leftovers;
    // The inputs whose coder notes ("NIGHTA~1.WAV.err") a single job leaves in Temp.
    std::string_view notedInputs[2];
    const char* listFolder;       // where a list's coder writes, one entry at a time
    const char* intermediateName; // an entry's result before it takes its long name
    const char* resultExtension;  // of the result's name in the output folder
    const char* movePattern;      // what goes from the list folder to the output folder
    const char* noticeLetter;     // the completion program's word for the direction
};

inline constexpr JobDirection kEncoding{
    .verb = "Encoding",
    .participle = "encoded",
    .lockFile = "Encoding.bat",
    .progressFile = "EncList.dat",
    .pendingProgress = "EncList.tmp",
    .leftovers = "*.wav",
    .notedInputs = {".wav", ".snd"},
    .listFolder = "Temp\\LE\\",
    .intermediateName = "x.wav",
    .resultExtension = ".mp3",
    .movePattern = "*.MP3",
    .noticeLetter = "E",
};

inline constexpr JobDirection kDecoding{
    .verb = "Decoding",
    .participle = "decoded",
    .lockFile = "Decoding.bat",
    .progressFile = "DecList.dat",
    .pendingProgress = "DecList.tmp",
    .leftovers = "*.mp3",
    .notedInputs = {".mp3", {}},
    .listFolder = "Temp\\LD\\",
    .intermediateName = "x.mp3",
    .resultExtension = ".wav",
    .movePattern = "*.wav",
    .noticeLetter = "D",
};

inline constexpr const JobDirection* kDirections[] = {&kEncoding, &kDecoding};

// Directions are told apart by their lock file, which no two share.
inline bool sameDirection(const JobDirection& a, const JobDirection& b) {
    return std::string_view(a.lockFile) == b.lockFile;
}

} // namespace korimba::jobs
