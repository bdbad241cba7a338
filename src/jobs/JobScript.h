#pragma once
// The text of the single-file job scripts, as pure functions of plain values:
// the command gathers the values from the windows and saves the lines. The
// encode and decode scripts are one layout; they differ in their values.
// Every name is escaped for the command interpreter where it is written.
#include "jobs/ExternalPrograms.h"
#include "jobs/JobDirection.h"
#include "jobs/PathRules.h"

#include <string>
#include <string_view>
#include <vector>

namespace korimba::jobs {

struct SingleScript {
    std::string programFolder;          // P, ending in "\"
    std::string shortProgramFolder;     // SP, ending in "\"
    JobDirection direction = kEncoding; // its lock file, deleted last; its leftovers in Temp
    std::string encoderPath;            // E: the script changes to its drive...
    std::string shortEncoder;           // SE: ...and to its folder
    std::string shortTool;              // the coder the script runs (SE or SD)
    std::string shortInput;             // SI, "" when the input does not exist
    SwitchPlaces switches;
    std::string output;         // O, as typed
    bool startsMessage = false; // the completion program's line
    std::string shortOutput;    // O's short form when it exists, else "" (the notice gets O then)
    // O's name is beyond ASCII: the result is copied into the file at O, named
    // by its short form. A rename onto a short name may make that short name
    // the file's long name; writing into the file keeps its name.
    bool writesIntoOutput = false;
    // That file is an empty one the command made: it goes when the coder made nothing.
    bool outputIsPlaceholder = false;
    text::CodePage codePage;
};

// T: the Temp folder's entry of the input's short name and extension.
std::string temporaryOutput(const std::string& shortProgramFolder, const std::string& shortInput,
                            const text::CodePage& codePage = {});

// The script's lines, without line ends.
std::vector<std::string> singleJobScript(const SingleScript& values);

// Lines shared by every job script.
inline constexpr const char* kEchoOffLine = "@Echo Off";
inline constexpr const char* kBannerLine = "Echo Korimba for Windows 95";
inline constexpr const char* kEmptyEchoLine = "Echo\"";
inline constexpr const char* kLongNameLine = "Echo Converting output to Long FileName...";
// A file's drive, and "cd" to its folder by its short form. Every script runs
// its coder from the encoder's folder, the decode scripts too.
std::vector<std::string> folderLinesOf(const std::string& file, const std::string& shortFile,
                                       const text::CodePage& codePage);
// The last line: the script deletes itself, which tells the program the job ended.
std::string selfDeletion(const std::string& programFolder, const std::string& lockFile,
                         const text::CodePage& codePage);

} // namespace korimba::jobs
