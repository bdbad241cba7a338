#pragma once
// What a job was to produce, and at its end what it did. The script runs
// outside the program and never says whether its coder succeeded; the program
// knows each output it asked for, so when the script has gone it looks: a
// result that is missing, or an older file left as it was, is a failure, with
// the reason the coder left in its note beside its temporary output.
#include "jobs/JobDirection.h"
#include "platform/Platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korimba::jobs {

// A file as it was: a rewrite changes one or the other.
struct FileStamp {
    platform::FileTime written = 0;
    std::uint64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> stampOf(const platform::FileSystem& files, const std::string& path);


struct ExpectedResult {
    std::string input;                // as the user gave it
    std::string output;               // where the result must arrive, long form
    std::string note;                 // the coder's note, full path
    std::optional<FileStamp> before;  // the file at the output when the job started
    // That file is the command's own empty one, made to name the output: it
    // is no older file, and it goes if nothing was written into it.
    bool placeholder = false;
};

struct Outcome {
    std::string input;
    std::string output;
    bool arrived = false;
    bool olderKept = false; // failed, and an older file at the output is as it was
    std::string text;       // the reason of a failure or the warning; "" for neither
};

// The entries that failed or carry a warning, in order; every other one
// arrived cleanly.
std::vector<Outcome> judge(const platform::FileSystem& files,
                           const std::vector<ExpectedResult>& expected);
// Deletes the placeholders that are still as they were made: a script that
// ended early left them behind.
void removeUnusedPlaceholders(platform::FileSystem& files,
                              const std::vector<ExpectedResult>& expected);
// Deletes the coders' notes of the results, once their outcome has been told.
void removeNotes(platform::FileSystem& files, const std::vector<ExpectedResult>& expected);
// Removes a list job's staging folders (given with their final "\") with the
// empty files the command made in them; a result that could not be moved out
// stays, and so does its folder.
void removeStagingFolders(platform::FileSystem& files, const std::vector<std::string>& folders);

// The report of a single-file job; "" when it arrived cleanly.
std::string singleReport(const JobDirection& direction, const std::vector<Outcome>& outcomes);
// The report of a list job of `total` entries; "" when all arrived cleanly.
// Failed entries first, each with its reason, at most 20 of them named.
std::string listReport(const JobDirection& direction, std::size_t total,
                       const std::vector<Outcome>& outcomes);
bool anyFailed(const std::vector<Outcome>& outcomes);

} // namespace korimba::jobs
