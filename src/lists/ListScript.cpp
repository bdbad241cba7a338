#include "lists/ListScript.h"

#include "jobs/JobScript.h"
#include "jobs/ScriptEscape.h"

namespace korimba::lists {

namespace {

std::string filesLeft(std::size_t count) {
    return "Echo Files left for progress: " + std::to_string(count);
}

class ListLines {
public:
    // `worker` names the worker whose script this is: "%1" in the worker
    // script, which is given its number.
    ListLines(const ListScript& values, std::string worker)
        : values_(values), codePage_(values.codePage), worker_(std::move(worker)) {}

    std::vector<std::string> compose() {
        header();
        entries();
        if (parallel()) {
            finishingWorker();
            // The worker script goes before the notice reads the list folder.
            add("del " + unquoted(inListFolder(kWorkerScript)));
        }
        lastLines();
        return std::move(lines_);
    }

    std::vector<std::string> composeWorker() {
        add(jobs::kEchoOffLine);
        encoderFolder();
        entries();
        finishingWorker();
        lastLines();
        // Last, as the job's script deletes itself: nothing is read after it.
        add("del " + unquoted(inListFolder(kWorkerScript)));
        return std::move(lines_);
    }

private:
    static constexpr const char* kMarker = "DONE";

    void add(std::string line) { lines_.push_back(std::move(line)); }
    std::string unquoted(const std::string& path) const {
        return jobs::escapeUnquoted(path, codePage_);
    }
    std::string quoted(const std::string& path) const { return jobs::quotedPath(path, codePage_); }
    std::string inListFolder(const std::string& name) const {
        return values_.shortProgramFolder + values_.direction.listFolder + name;
    }
    bool parallel() const { return values_.workers > 1; }

    void header() {
        add(jobs::kEchoOffLine);
        add(jobs::kBannerLine);
        if (values_.showsCount)
            add(filesLeft(values_.entries.size()));
        add(jobs::kEmptyEchoLine);
        if (parallel()) {
            startWorkers();
        } else {
            // Kept for the interpreters that know it; the command empties the folder itself.
            add("deltree /Y " + paths::upperAscii(unquoted(inListFolder("*.*"))));
        }
        encoderFolder();
    }

    void encoderFolder() {
        for (std::string& line :
             jobs::folderLinesOf(values_.encoderPath, values_.shortEncoder, codePage_))
            add(std::move(line));
    }

    // Started from the list folder by their short name, so that no name
    // passes through the two interpreters; "/b" keeps them in this console,
    // which ends them all when it is closed.
    void startWorkers() {
        const std::string script = std::string(values_.direction.listFolder) + kWorkerScript;
        for (std::string& line : jobs::folderLinesOf(
                 values_.programFolder + script, values_.shortProgramFolder + script, codePage_))
            add(std::move(line));
        for (std::size_t worker = 2; worker <= values_.workers; ++worker)
            add(std::string("start \"\" /b cmd /c ") + kWorkerScript + " " +
                std::to_string(worker));
    }

    // A worker that has coded all it could marks itself done. The one that
    // then finds every worker done, and wins the job's own claim file, ends the
    // job; the others end. Each marks before it looks, so the last to mark
    // always finds them all: nobody waits, and nothing is left running.
    void finishingWorker() {
        add(marked(">" + unquoted(inListFolder(kMarker)), " Echo done"));
        for (std::size_t worker = 1; worker <= values_.workers; ++worker)
            add("if not exist " + unquoted(inListFolder(kMarker + std::to_string(worker))) +
                " goto :eof");
        const std::string last = claimName(0);
        add(marked("ren " + unquoted(inListFolder(last)) + " " + last + ".", " 2>nul"));
        add(marked("if not exist " + unquoted(inListFolder(last + ".")), " goto :eof"));
        // Not left for the notice, which reads the list folder for what could not be moved.
        for (std::size_t worker = 1; worker <= values_.workers; ++worker)
            add("del " + unquoted(inListFolder(kMarker + std::to_string(worker))));
        add("del " + unquoted(inListFolder(std::string(kClaim) + "*.*")));
    }

    // The text, this worker's number, then the rest; built in turn, as GCC 12
    // warns wrongly of a text put before a temporary string.
    std::string marked(std::string text, const std::string& rest) const {
        text += worker_;
        text += rest;
        return text;
    }

    void lastLines() {
        if (values_.startsMessage)
            add(jobs::listMessageCall(unquoted(values_.shortProgramFolder),
                                      values_.direction.noticeLetter,
                                      jobs::escapeQuoted(values_.outputFolder, codePage_)));
        add(jobs::selfDeletion(values_.programFolder, values_.direction.lockFile, codePage_));
    }

    void entries() {
        for (std::size_t i = 0; i < values_.entries.size(); ++i)
            entry(i + 1, values_.entries[i]);
    }

    void entry(std::size_t position, const ListEntry& entry) {
        const jobs::JobDirection& direction = values_.direction;
        const std::string folder =
            values_.shortProgramFolder + codingFolder(direction, position, parallel());
        if (parallel()) {
            // The claim: one worker alone can rename the entry's claim file to
            // its own. No error level is relied on: a command that succeeds
            // leaves the last one as it was.
            const std::string claim = claimName(position);
            add(marked("ren " + unquoted(inListFolder(claim)) + " " + claim + ".", " 2>nul"));
            add(marked("if not exist " + unquoted(inListFolder(claim + ".")),
                       " goto " + nextLabel(position)));
        }
        progress(position, parallel() ? folder + direction.pendingProgress
                                      : values_.programFolder + direction.pendingProgress);
        const std::string temporary = listTemporaryOutput(folder, entry.shortInput, codePage_);
        const std::string longName =
            entry.longName.empty() ? paths::fileNamePart(entry.input, codePage_) : entry.longName;
        const std::string result =
            entry.result.empty() ? resultName(entry.input, direction, codePage_) : entry.result;
        add(jobs::coderCall(unquoted(values_.shortTool), unquoted(entry.shortInput),
                            unquoted(temporary), values_.switches));
        add(jobs::kEmptyEchoLine);
        add(jobs::kLongNameLine);
        if (entry.staged.empty())
            renameIntoOutput(position, entry, folder, temporary, longName, result);
        else
            copyIntoStaged(position, entry, unquoted(temporary));
        // Entries coded at once share the console: none wipes another's lines.
        if (parallel())
            return;
        add("cls");
        add(jobs::kBannerLine);
        if (values_.showsCount)
            add(filesLeft(values_.entries.size() - position));
        add(jobs::kEmptyEchoLine);
    }

    // The redirection first: "Echo 1> file" would redirect handle 1. The watcher
    // reads and deletes the progress file whenever it finds it, so both lines are
    // written aside and the file appears whole: written in place, a tick between the
    // writes would show a half caption, or delete the file under the second write
    // and leave the count alone in a new file, shown as the position.
    void progress(std::size_t position, const std::string& pending) {
        const std::string pendingProgress = quoted(pending);
        add(">" + pendingProgress + " Echo " + std::to_string(position));
        add(">>" + pendingProgress + " Echo " + std::to_string(values_.entries.size()));
        add(">nul move /Y " + pendingProgress + " " +
            quoted(values_.programFolder + values_.direction.progressFile));
    }

    // With "delete after convert", the input goes only when this entry's own
    // result was made now and has left its folder: a file of its name in the
    // output folder may be an older one, and move sets no error level on
    // every interpreter.
    void renameIntoOutput(std::size_t position, const ListEntry& entry, const std::string& folder,
                          const std::string& temporary, const std::string& longName,
                          const std::string& result) {
        const jobs::JobDirection& direction = values_.direction;
        const std::string next = nextLabel(position);
        if (values_.deletesInputs)
            add("if not exist " + quoted(temporary) + " goto " + next);
        add("ren " + quoted(temporary) + " " + quoted(direction.intermediateName));
        add("ren " + quoted(folder + direction.intermediateName) + " " + quoted(longName));
        // This entry's file by name: a wildcard rename may cut names at their first dot.
        add("ren " + quoted(folder + longName) + " " + quoted(result));
        add("move " + unquoted(folder + direction.movePattern) + " " +
            quoted(values_.outputFolder));
        if (values_.deletesInputs)
            add("if not exist " + quoted(folder + result) + " del " + unquoted(entry.shortInput));
        if (values_.deletesInputs || parallel())
            add(":" + next);
    }

    static std::string nextLabel(std::size_t position) { return "next" + std::to_string(position); }

    // The result written into the staged file, which keeps its long name, and
    // moved from its staging folder by a wildcard, which keeps it too. Nothing
    // moves when the coder made nothing or the copy failed.
    void copyIntoStaged(std::size_t position, const ListEntry& entry,
                        const std::string& temporary) {
        const std::string next = nextLabel(position);
        const std::string staged = unquoted(entry.staged);
        add("if not exist " + temporary + " goto " + next);
        add("copy /Y " + temporary + " " + staged);
        add("if errorlevel 1 goto " + next);
        add("del " + temporary);
        add("move " +
            unquoted(values_.shortProgramFolder + stagingFolder(values_.direction, position) +
                     values_.direction.movePattern) +
            " " + quoted(values_.outputFolder));
        // The input goes only when its result has left for the output folder.
        if (values_.deletesInputs)
            add("if not exist " + staged + " del " + unquoted(entry.shortInput));
        add(":" + next);
    }

    const ListScript& values_;
    const text::CodePage& codePage_;
    const std::string worker_;
    std::vector<std::string> lines_;
};

} // namespace

std::string stagingFolder(const jobs::JobDirection& direction, std::size_t position) {
    return std::string(direction.listFolder) + "N" + std::to_string(position) + "\\";
}

std::string codingFolder(const jobs::JobDirection& direction, std::size_t position,
                         bool ownFolder) {
    const std::string list = direction.listFolder;
    return ownFolder ? list + kCodingFolderMark + std::to_string(position) + "\\" : list;
}

std::string listTemporaryOutput(const std::string& codingFolder, const std::string& shortInput,
                                const text::CodePage& codePage) {
    return codingFolder + paths::fileNamePart(shortInput, codePage);
}

std::string resultName(const std::string& input, const jobs::JobDirection& direction,
                       const text::CodePage& codePage) {
    return paths::nameWithoutLastFour(paths::fileNamePart(input, codePage)) +
           direction.resultExtension;
}

ListEntry nameEntry(jobs::ScriptNames& names, const jobs::JobDirection& direction,
                    std::size_t position, const std::string& programFolder,
                    const std::string& input, const std::string& shortInput,
                    const text::CodePage& codePage) {
    ListEntry entry{input, names.path(shortInput)};
    const std::string longName = paths::fileNamePart(input, codePage);
    const std::string result = resultName(input, direction, codePage);
    if (jobs::isAscii(longName))
        return entry;
    const std::string staging = programFolder + stagingFolder(direction, position);
    names.makeFolder(staging);
    entry.staged = names.madeToBeNamed(staging + result);
    if (!entry.staged.empty())
        return entry;
    entry.longName = names.name(longName, input);
    entry.result = names.name(result, input);
    return entry;
}

std::vector<std::string> listJobScript(const ListScript& values) {
    return ListLines(values, "1").compose();
}

std::vector<std::string> listWorkerScript(const ListScript& values) {
    return ListLines(values, "%1").composeWorker();
}

// Built by appending: GCC 12 warns wrongly of a text put before a temporary string.
std::string claimName(std::size_t position) {
    std::string name = kClaim;
    name += std::to_string(position);
    return name;
}

std::string claimFile(const jobs::JobDirection& direction, std::size_t position) {
    std::string file = direction.listFolder;
    file += claimName(position);
    return file;
}

} // namespace korimba::lists
