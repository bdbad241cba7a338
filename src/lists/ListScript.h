#pragma once
// The text of the list job scripts, as a pure function of plain values: one
// block of lines per entry between a header and the self-deletion. The encode
// and decode scripts are one layout with the data of their direction.
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
    text::CodePage codePage;
};

// An entry's temporary output: the list folder's entry of its short name.
std::string listTemporaryOutput(const std::string& shortProgramFolder,
                                const jobs::JobDirection& direction, const std::string& shortInput,
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

} // namespace korimba::lists
