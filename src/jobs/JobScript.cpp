#include "jobs/JobScript.h"

#include "jobs/ScriptEscape.h"

namespace korimba::jobs {

std::string temporaryOutput(const std::string& shortProgramFolder, const std::string& shortInput,
                            const text::CodePage& codePage) {
    return shortProgramFolder + "Temp\\" + paths::fileNamePart(shortInput, codePage);
}

std::vector<std::string> folderLinesOf(const std::string& file, const std::string& shortFile,
                                       const text::CodePage& codePage) {
    return {
        escapeUnquoted(paths::drivePart(file, codePage), codePage),
        "cd " +
            escapeUnquoted(paths::folderWithoutTrailingBackslash(shortFile, codePage), codePage),
    };
}

std::string selfDeletion(const std::string& programFolder, const std::string& lockFile,
                         const text::CodePage& codePage) {
    return "del " + quotedPath(programFolder + lockFile, codePage);
}

namespace {

// The result into the file at O by its short name; a failed copy keeps the
// result in Temp.
std::vector<std::string> writeIntoOutput(const SingleScript& values, const std::string& temporary) {
    const std::string output = escapeUnquoted(values.shortOutput, values.codePage);
    std::vector<std::string> lines;
    if (values.outputIsPlaceholder)
        lines.push_back("if not exist " + temporary + " del " + output);
    lines.push_back("if not exist " + temporary + " goto kept");
    lines.push_back("copy /Y " + temporary + " " + output);
    lines.push_back("if not errorlevel 1 del " + temporary);
    lines.push_back(":kept");
    return lines;
}

} // namespace

std::vector<std::string> singleJobScript(const SingleScript& values) {
    const text::CodePage& codePage = values.codePage;
    auto unquoted = [&](const std::string& path) { return escapeUnquoted(path, codePage); };
    const std::string temporary =
        unquoted(temporaryOutput(values.shortProgramFolder, values.shortInput, codePage));
    const std::string output = quotedPath(values.output, codePage);

    std::vector<std::string> lines = {
        kEchoOffLine,
        kBannerLine,
        kEmptyEchoLine,
        "erase " + unquoted(values.shortProgramFolder) + "Temp\\" +
            std::string(values.direction.leftovers),
    };
    for (std::string& line : folderLinesOf(values.encoderPath, values.shortEncoder, codePage))
        lines.push_back(std::move(line));
    lines.push_back(coderCall(unquoted(values.shortTool), unquoted(values.shortInput), temporary,
                              values.switches));
    lines.push_back(kEmptyEchoLine);
    lines.push_back(kLongNameLine);
    if (values.writesIntoOutput) {
        for (std::string& line : writeIntoOutput(values, temporary))
            lines.push_back(std::move(line));
    } else {
        lines.push_back("if not exist " + output + " goto move");
        // The older output goes only once the coder's result is there to replace it.
        lines.push_back("if exist " + temporary + " del " + output);
        lines.push_back(":move");
        lines.push_back("move " + temporary + " " + output);
    }
    if (values.startsMessage)
        lines.push_back(
            messageCall(unquoted(values.shortProgramFolder), values.direction.noticeLetter,
                        unquoted(values.shortInput),
                        values.shortOutput.empty() ? output : unquoted(values.shortOutput)));
    lines.push_back(selfDeletion(values.programFolder, values.direction.lockFile, codePage));
    return lines;
}

} // namespace korimba::jobs
