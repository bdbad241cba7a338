#pragma once
// The text of the list job scripts, as a pure function of plain values: one
// block of lines per entry between a header and the self-deletion. The encode
// and decode scripts are one layout with the data of their direction.
//
// With several workers, the job's script starts the others (one worker script,
// run once per worker with its number) in its own console and is a worker
// itself. Every worker goes through all entries and codes those it claims: an
// entry is claimed by renaming its claim file, which only one rename can do,
// and is coded in its own folder. The command makes both before the job. The
// last worker to finish ends the job, with the job's script's last lines: the
// script exists while any worker runs.
#include "jobs/ExternalPrograms.h"
#include "jobs/JobDirection.h"
#include "jobs/PathRules.h"
#include "jobs/ScriptNames.h"

#include <string>
#include <vector>

namespace korimba::lists {

struct ListEntry {
    std::string input;      // as written in the list
    std::string shortInput; // its short form
    // The entry's long name and its result's name as the interpreter must read
    // them; "" for the names taken from the input as they are.
    std::string longName{};
    std::string result{};
    // When the result's name is beyond ASCII: the short path of an empty file of
    // that name, alone in its own staging folder, into which the result is
    // copied (keeping the name) before it goes to the output folder. "" for the
    // renames.
    std::string staged{};
};

// The staging folder of the entry at `position` (from 1), inside the list folder.
std::string stagingFolder(const jobs::JobDirection& direction, std::size_t position);
// Where the entry at `position` is coded, relative to the program folder: the
// list folder, or its own folder there ("E" and the position) when several
// workers share the list.
inline constexpr char kCodingFolderMark = 'E';
std::string codingFolder(const jobs::JobDirection& direction, std::size_t position, bool ownFolder);
// The worker script and the claim files ("C" and the position; "C0" is the
// job's own, taken by the worker that ends it), in the list folder.
inline constexpr const char* kWorkerScript = "WORKER.BAT";
inline constexpr const char* kClaim = "C";
// The claim file's name of the entry at `position`, and that file relative to
// the program folder.
std::string claimName(std::size_t position);
std::string claimFile(const jobs::JobDirection& direction, std::size_t position);

struct ListScript {
    jobs::JobDirection direction = jobs::kEncoding;
    std::string programFolder;      // P, ending in "\"
    std::string shortProgramFolder; // SP, ending in "\"
    std::string encoderPath;        // E: the script changes to its drive and folder
    std::string shortEncoder;       // SE
    std::string shortTool;          // the coder the script runs (SE or SD)
    jobs::SwitchPlaces switches;
    std::vector<ListEntry> entries;
    std::string outputFolder;   // O, as typed
    bool showsCount = false;    // "Files left for progress" in the script's window
    bool deletesInputs = false; // an input goes once its result is in the output folder
    bool startsMessage = false; // the completion program
    // How many entries are coded at once; 1 codes them one after another.
    std::size_t workers = 1;
    text::CodePage codePage;
};

// An entry's temporary output: its short name in its coding folder, given
// with the short program folder.
std::string listTemporaryOutput(const std::string& codingFolder, const std::string& shortInput,
                                const text::CodePage& codePage = {});
// The name an entry's result has in the output folder: its long name with the
// last four characters replaced by the result's extension.
std::string resultName(const std::string& input, const jobs::JobDirection& direction,
                       const text::CodePage& codePage = {});

// How the script names the entry at `position` (from 1). A result named beyond
// ASCII gets an empty file of its name in a staging folder of its own, to be
// written into by its short name; without short names, the names' OEM forms.
ListEntry nameEntry(jobs::ScriptNames& names, const jobs::JobDirection& direction,
                    std::size_t position, const std::string& programFolder,
                    const std::string& input, const std::string& shortInput,
                    const text::CodePage& codePage);

// The script's lines, without line ends.
std::vector<std::string> listJobScript(const ListScript& values);
// With several workers, the worker script's lines; its argument is the
// worker's number, which names its marker.
std::vector<std::string> listWorkerScript(const ListScript& values);

} // namespace korimba::lists
