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
    explicit ListLines(const ListScript& values) : values_(values), codePage_(values.codePage) {}

    std::vector<std::string> compose() {
        header();
        for (std::size_t i = 0; i < values_.entries.size(); ++i)
            entry(i + 1, values_.entries[i]);
        if (values_.startsMessage)
            add(jobs::listMessageCall(unquoted(values_.shortProgramFolder),
                                      values_.direction.noticeLetter,
                                      jobs::escapeQuoted(values_.outputFolder, codePage_)));
        add(jobs::selfDeletion(values_.programFolder, values_.direction.lockFile, codePage_));
        return std::move(lines_);
    }

private:
    void add(std::string line) { lines_.push_back(std::move(line)); }
    std::string unquoted(const std::string& path) const {
        return jobs::escapeUnquoted(path, codePage_);
    }
    std::string quoted(const std::string& path) const { return jobs::quotedPath(path, codePage_); }
    std::string inListFolder(const std::string& name) const {
        return values_.shortProgramFolder + values_.direction.listFolder + name;
    }

    void header() {
        add(jobs::kEchoOffLine);
        add(jobs::kBannerLine);
        if (values_.showsCount)
            add(filesLeft(values_.entries.size()));
        add(jobs::kEmptyEchoLine);
        // Kept for the interpreters that know it; the command empties the folder itself.
        add("deltree /Y " + paths::upperAscii(unquoted(inListFolder("*.*"))));
        for (std::string& line :
             jobs::encoderFolderLines(values_.encoderPath, values_.shortEncoder, codePage_))
            add(std::move(line));
    }

    void entry(std::size_t position, const ListEntry& entry) {
        const jobs::JobDirection& direction = values_.direction;
        const std::string count = std::to_string(values_.entries.size());
        const std::string progressFile = quoted(values_.programFolder + direction.progressFile);
        const std::string pendingProgress =
            quoted(values_.programFolder + direction.pendingProgress);
        const std::string temporary =
            listTemporaryOutput(values_.shortProgramFolder, direction, entry.shortInput, codePage_);
        const std::string longName =
            entry.longName.empty() ? paths::fileNamePart(entry.input, codePage_) : entry.longName;
        const std::string result =
            entry.result.empty() ? resultName(entry.input, direction, codePage_) : entry.result;

        // The redirection first: "Echo 1> file" would redirect handle 1. The watcher
        // reads and deletes the progress file whenever it finds it, so both lines are
        // written aside and the file appears whole: written in place, a tick between the
        // writes would show a half caption, or delete the file under the second write
        // and leave the count alone in a new file, shown as the position.
        add(">" + pendingProgress + " Echo " + std::to_string(position));
        add(">>" + pendingProgress + " Echo " + count);
        add(">nul move /Y " + pendingProgress + " " + progressFile);
        add(jobs::coderCall(unquoted(values_.shortTool), unquoted(entry.shortInput),
                            unquoted(temporary), values_.switches));
        add(jobs::kEmptyEchoLine);
        add(jobs::kLongNameLine);
        if (entry.staged.empty())
            renameIntoOutput(position, entry, temporary, longName, result);
        else
            copyIntoStaged(position, entry, unquoted(temporary));
        add("cls");
        add(jobs::kBannerLine);
        if (values_.showsCount)
            add(filesLeft(values_.entries.size() - position));
        add(jobs::kEmptyEchoLine);
    }

    // With "delete after convert", the input goes only when this entry's own
    // result was made now and has left the list folder: a file of its name in
    // the output folder may be an older one, and move sets no error level on
    // every interpreter.
    void renameIntoOutput(std::size_t position, const ListEntry& entry,
                          const std::string& temporary, const std::string& longName,
                          const std::string& result) {
        const jobs::JobDirection& direction = values_.direction;
        const std::string next = nextLabel(position);
        if (values_.deletesInputs)
            add("if not exist " + quoted(temporary) + " goto " + next);
        add("ren " + quoted(temporary) + " " + quoted(direction.intermediateName));
        add("ren " + quoted(inListFolder(direction.intermediateName)) + " " + quoted(longName));
        // This entry's file by name: a wildcard rename may cut names at their first dot.
        add("ren " + quoted(inListFolder(longName)) + " " + quoted(result));
        add("move " + unquoted(inListFolder(direction.movePattern)) + " " +
            quoted(values_.outputFolder));
        if (!values_.deletesInputs)
            return;
        add("if not exist " + quoted(inListFolder(result)) + " del " + unquoted(entry.shortInput));
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
    std::vector<std::string> lines_;
};

} // namespace

std::string stagingFolder(const jobs::JobDirection& direction, std::size_t position) {
    return std::string(direction.listFolder) + "N" + std::to_string(position) + "\\";
}

std::string listTemporaryOutput(const std::string& shortProgramFolder,
                                const jobs::JobDirection& direction, const std::string& shortInput,
                                const text::CodePage& codePage) {
    return shortProgramFolder + direction.listFolder + paths::fileNamePart(shortInput, codePage);
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
    return ListLines(values).compose();
}

} // namespace korimba::lists
