#pragma once
// What Message.exe says for the arguments a job script gives it. Portable and
// header-only, so the native unit tests compile it without the Windows side.
//   E <shortInput> <output>   single-file encode: the output by its short name
//                             when it existed before the job, else by its long one
//   D <shortInput> <output>   single-file decode
//   L E|D <folder>            list encode or decode ("L X": either, from older scripts)
//
// Whether a job made its result is told by the coders' notes: a coder that
// fails writes "<its output>.err" holding the reason, one line; one that
// coded only part of a cut-short input writes "warning: <what happened>".
// The notes of single jobs lie in Temp, named after the short input; those
// of list jobs in Temp\LE and Temp\LD. A result still lying there could not
// be moved to the user's output. The notice is the only report of a job that
// starts it, so the notes it has told are removed (Notice::notes).
#include "jobs/CoderNote.h"
#include "jobs/JobDirection.h"
#include "jobs/PathRules.h"
#include "lists/ListScript.h"
#include "platform/Platform.h"
#include "settings/ProgramFiles.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korimba::message {

// The long form of an existing file or folder; nullopt when it cannot be found.
using LongNameLookup = std::function<std::optional<std::string>(const std::string&)>;

// What the notice reads from the disk besides its arguments.
struct Disk {
    LongNameLookup longName;
    // The beginning of a file (a note's one line is enough); nullopt when there is none.
    std::function<std::optional<std::string>(const std::string&)> readBeginning;
    // The files and folders in a folder given with its final "\".
    std::function<std::vector<platform::FolderEntry>(const std::string&)> entriesIn;
    // Message.exe's own folder with its final "\": the program folder.
    std::string programFolder;
};

struct Notice {
    std::string text;               // lines separated by CR LF
    std::string folder;             // folder to offer for opening; empty when none is known
    std::vector<std::string> notes; // the notes told, full paths: to be removed
};

// The longest name or reason shown whole; a window has room for a few lines of this.
inline constexpr std::size_t kLongestShownName = 260;
// A list job's failures named one by one; the rest are counted.
inline constexpr std::size_t kListedFailures = 20;

inline constexpr const char* kNotMoved = "the result could not be moved to the output";

namespace detail {

// A text longer than the limit keeps its beginning and its end around "...",
// cut between characters only (a character of several bytes stays whole).
// Counted in characters, not bytes: any path Windows allows is shown whole.
inline std::string elided(const std::string& text, std::size_t limit,
                          const text::CodePage& codePage) {
    std::vector<std::size_t> starts; // where each character begins
    for (std::size_t i = 0; i < text.size(); i += codePage.characterLength(text, i))
        starts.push_back(i);
    if (starts.size() <= limit)
        return text;
    const std::size_t half = (limit - 3) / 2;
    return text.substr(0, starts[half]) + "..." + text.substr(starts[starts.size() - half]);
}

inline std::string argumentAt(const std::vector<std::string>& arguments, size_t index) {
    return index < arguments.size() ? arguments[index] : std::string();
}

inline std::string describe(const std::string& path, const LongNameLookup& lookup,
                            const text::CodePage& codePage) {
    if (path.empty())
        return "not known";
    if (const auto found = lookup(path))
        return elided(*found, kLongestShownName, codePage);
    return elided(path, kLongestShownName, codePage) + " (not found)";
}

// A note as one line of the notice, cut to what a window has room for.
inline std::optional<notes::Note> noteAt(const std::string& path, const Disk& disk,
                                         const text::CodePage& codePage) {
    const std::optional<std::string> content = disk.readBeginning(path);
    if (!content)
        return std::nullopt;
    notes::Note note = notes::parse(*content);
    note.text = elided(note.text, kLongestShownName, codePage);
    return note;
}

inline bool isNoteName(const std::string& name, const text::CodePage& codePage) {
    return paths::lowerAscii(paths::extension(name, codePage)) == notes::kExtension;
}

inline Notice fileJobNotice(const std::string& verb, const std::string& finished,
                            const std::vector<std::string>& arguments, const Disk& disk,
                            const text::CodePage& codePage) {
    const std::string input = argumentAt(arguments, 1);
    const std::string output = argumentAt(arguments, 2);
    Notice notice;
    std::optional<notes::Note> note;
    // The coder's result in Temp, named after the short input; the script moves it out.
    const std::string temporary = input.empty() ? std::string()
                                                : disk.programFolder + settings::kTempFolder +
                                                      paths::fileNamePart(input, codePage);
    if (!temporary.empty()) {
        note = noteAt(notes::path(temporary), disk, codePage);
        if (note)
            notice.notes.push_back(notes::path(temporary));
    }
    const bool failed = note && !note->warning;
    const bool stuck = !temporary.empty() && disk.readBeginning(temporary).has_value();
    // The script removes an older output only for a new result, so a missing
    // output means that nothing arrived.
    const bool noResult = !output.empty() && !disk.longName(output);

    if (failed || noResult || stuck) {
        const std::string reason = failed ? note->text : stuck ? kNotMoved : notes::kNoReason;
        notice.text = "The file could not be " + verb +
                      (noResult && !stuck ? "; no result was made." : ".") +
                      "\r\nReason: " + reason;
    } else {
        notice.text = finished;
    }
    if (note && note->warning)
        notice.text += "\r\nWarning: " + note->text;
    notice.text += "\r\n\r\nInput: " + describe(input, disk.longName, codePage) +
                   "\r\nOutput: " + describe(output, disk.longName, codePage);
    // The output's folder can exist even when the output itself is missing.
    const std::string folder = paths::folderPart(output, codePage);
    if (!folder.empty())
        notice.folder = disk.longName(folder).value_or("");
    return notice;
}

struct Failure {
    std::string name; // the input's name as its user knows it, else as the file is named
    std::string reason;
};

// The long name of the input a note names, for a list of failures: the short
// name alone would not tell the user which file it was.
inline std::string failedName(const std::string& noteName, const notes::Note& note,
                              const Disk& disk, const text::CodePage& codePage) {
    if (!note.input.empty())
        if (const std::optional<std::string> found = disk.longName(note.input))
            return paths::fileNamePart(*found, codePage);
    return noteName.substr(0, noteName.size() - notes::kExtension.size());
}

// What a list folder tells once its job has ended: the failures and the
// warnings of its coders' notes, and the results that could not be moved out.
struct ListFolderReport {
    std::vector<Failure> failures;
    std::vector<Failure> warnings;
    std::vector<std::string> notes;
};

inline std::vector<platform::FolderEntry> sortedEntries(const std::string& folder,
                                                        const Disk& disk) {
    std::vector<platform::FolderEntry> entries = disk.entriesIn(folder);
    std::sort(entries.begin(), entries.end(),
              [](const platform::FolderEntry& a, const platform::FolderEntry& b) {
                  return paths::lowerAscii(a.name) < paths::lowerAscii(b.name);
              });
    return entries;
}

// Entries by name in ASCII order without case. An entry's staging folder holds
// the empty file its result is written into: only a written one is a result.
// An entry coded beside others has a folder of its own, read as the list folder is.
inline void readListFolder(const std::string& folder, const Disk& disk,
                           const text::CodePage& codePage, ListFolderReport& report) {
    for (const platform::FolderEntry& entry : sortedEntries(folder, disk)) {
        const std::string path = folder + entry.name;
        if (entry.folder && entry.name.front() == lists::kCodingFolderMark) {
            readListFolder(path + "\\", disk, codePage, report);
            continue;
        }
        if (entry.folder) {
            for (const platform::FolderEntry& staged : sortedEntries(path + "\\", disk))
                if (!staged.folder &&
                    !disk.readBeginning(path + "\\" + staged.name).value_or(std::string()).empty())
                    report.failures.push_back(
                        {elided(staged.name, kLongestShownName, codePage), kNotMoved});
            continue;
        }
        // The worker that ended the job deletes its script after starting this.
        if (paths::upperAscii(entry.name) == lists::kWorkerScript)
            continue;
        if (!isNoteName(entry.name, codePage)) {
            report.failures.push_back({elided(entry.name, kLongestShownName, codePage), kNotMoved});
            continue;
        }
        const std::optional<notes::Note> note = noteAt(path, disk, codePage);
        if (!note)
            continue;
        report.notes.push_back(path);
        (note->warning ? report.warnings : report.failures)
            .push_back(
                {elided(failedName(entry.name, *note, disk, codePage), kLongestShownName, codePage),
                 note->text});
    }
}

// "2 files could not be converted:" and the first of them, each on a line of its own.
inline std::string listSection(const std::vector<Failure>& entries, const char* what) {
    std::string text = std::to_string(entries.size()) +
                       (entries.size() == 1 ? " file " : " files ") + what + ":\r\n";
    const std::size_t listed = std::min(entries.size(), kListedFailures);
    for (std::size_t i = 0; i < listed; ++i)
        text += "\r\n" + entries[i].name + ": " + entries[i].reason;
    if (entries.size() > listed)
        text += "\r\nand " + std::to_string(entries.size() - listed) + " more";
    return text;
}

inline Notice listJobNotice(const std::vector<std::string>& arguments, const Disk& disk,
                            const text::CodePage& codePage) {
    // A list script empties its own folder first, so it holds this job's notes
    // only; older scripts gave no direction, and both folders are read.
    struct ListFolder {
        const char* letter;
        const char* folder;
    };
    constexpr ListFolder kFolders[] = {{"E", jobs::kEncoding.listFolder},
                                       {"D", jobs::kDecoding.listFolder}};
    const std::string direction = argumentAt(arguments, 1);
    const bool known = direction == "E" || direction == "D";
    ListFolderReport report;
    for (const ListFolder& list : kFolders)
        if (!known || direction == list.letter)
            readListFolder(disk.programFolder + list.folder, disk, codePage, report);

    Notice notice;
    notice.notes = std::move(report.notes);
    notice.text = "List process finished";
    if (!report.failures.empty())
        notice.text += ", but " + listSection(report.failures, "could not be converted");
    if (!report.warnings.empty())
        notice.text += (report.failures.empty() ? ", but " : "\r\n\r\n") +
                       listSection(report.warnings, report.warnings.size() == 1
                                                        ? "was converted with a warning"
                                                        : "were converted with a warning");
    if (report.failures.empty() && report.warnings.empty())
        notice.text += ".";
    // The folder comes as the user typed it, long already; only its existence matters.
    const std::string folder = argumentAt(arguments, 2);
    notice.text += "\r\n\r\nOutput folder: ";
    if (folder.empty()) {
        notice.text += "not known";
    } else if (disk.longName(folder)) {
        notice.text += elided(folder, kLongestShownName, codePage);
        notice.folder = folder;
    } else {
        notice.text += elided(folder, kLongestShownName, codePage) + " (not found)";
    }
    return notice;
}

} // namespace detail

// arguments: the command-line arguments after the program name. Folders are
// split by the program's path rules, which know the double-byte code pages.
inline Notice composeNotice(const std::vector<std::string>& arguments, const Disk& disk,
                            const text::CodePage& codePage = {}) {
    const std::string letter = detail::argumentAt(arguments, 0);
    if (letter == "E" || letter == "e")
        return detail::fileJobNotice("encoded", "Encoding finished.", arguments, disk, codePage);
    if (letter == "D" || letter == "d")
        return detail::fileJobNotice("decoded", "Decoding finished.", arguments, disk, codePage);
    if (letter == "L" || letter == "l")
        return detail::listJobNotice(arguments, disk, codePage);
    return {"A Korimba job has finished.", "", {}};
}

} // namespace korimba::message
