#include "jobs/JobOutcome.h"

#include "jobs/CoderNote.h"

#include <algorithm>

namespace korimba::jobs {

namespace {

constexpr std::size_t kNamedAtMost = 20;

// The coder's note on a result, if it left one.
std::optional<notes::Note> noteOf(const platform::FileSystem& files, const std::string& note) {
    const std::optional<std::string> content = files.readFile(note);
    if (!content)
        return std::nullopt;
    return notes::parse(*content);
}

std::string reasonOf(const Outcome& outcome) {
    return outcome.text.empty() ? notes::kNoReason : outcome.text;
}

// "<input>: <text>" lines, at most kNamedAtMost, then how many more there are.
std::string entryLines(const std::vector<const Outcome*>& outcomes) {
    std::string lines;
    for (std::size_t i = 0; i < outcomes.size() && i < kNamedAtMost; ++i)
        lines += "\n" + outcomes[i]->input + ": " + reasonOf(*outcomes[i]);
    if (outcomes.size() > kNamedAtMost)
        lines += "\nand " + std::to_string(outcomes.size() - kNamedAtMost) + " more";
    return lines;
}

} // namespace

std::optional<FileStamp> stampOf(const platform::FileSystem& files, const std::string& path) {
    const std::optional<platform::FileTime> written = files.lastWriteTime(path);
    const std::optional<std::uint64_t> size = files.fileSize(path);
    if (!written || !size)
        return std::nullopt;
    return FileStamp{*written, *size};
}

std::vector<Outcome> judge(const platform::FileSystem& files,
                           const std::vector<ExpectedResult>& expected) {
    std::vector<Outcome> outcomes;
    for (const ExpectedResult& result : expected) {
        const std::optional<FileStamp> now = stampOf(files, result.output);
        Outcome outcome;
        outcome.input = result.input;
        outcome.output = result.output;
        outcome.arrived = now && now != result.before;
        outcome.olderKept = !outcome.arrived && now.has_value() && !result.placeholder;
        const std::optional<notes::Note> note = noteOf(files, result.note);
        if (outcome.arrived && !(note && note->warning))
            continue;
        if (note)
            outcome.text = note->text;
        outcomes.push_back(outcome);
    }
    return outcomes;
}

void removeUnusedPlaceholders(platform::FileSystem& files,
                              const std::vector<ExpectedResult>& expected) {
    for (const ExpectedResult& result : expected)
        if (result.placeholder && stampOf(files, result.output) == result.before)
            files.deleteFile(result.output);
}

void removeNotes(platform::FileSystem& files, const std::vector<ExpectedResult>& expected) {
    for (const ExpectedResult& result : expected)
        files.deleteFile(result.note);
}

void removeStagingFolders(platform::FileSystem& files, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        for (const platform::FolderEntry& entry : files.listFolder(folder))
            if (!entry.folder && files.fileSize(folder + entry.name) == 0u)
                files.deleteFile(folder + entry.name);
        files.removeFolder(folder);
    }
}

bool anyFailed(const std::vector<Outcome>& outcomes) {
    return std::any_of(outcomes.begin(), outcomes.end(),
                       [](const Outcome& outcome) { return !outcome.arrived; });
}

std::string singleReport(const JobDirection& direction, const std::vector<Outcome>& outcomes) {
    if (outcomes.empty())
        return {};
    const Outcome& outcome = outcomes.front();
    if (outcome.arrived)
        return outcome.input + " was " + direction.participle + " to " + outcome.output +
               ", with a warning: " + outcome.text + ".";
    return outcome.input + " could not be " + direction.participle + ": " + reasonOf(outcome) +
           ".\n" +
           (outcome.olderKept ? "The older " + outcome.output + " was left as it was."
                              : "No file was made at " + outcome.output + ".");
}

std::string listReport(const JobDirection& direction, std::size_t total,
                       const std::vector<Outcome>& outcomes) {
    std::vector<const Outcome*> failed;
    std::vector<const Outcome*> warned;
    for (const Outcome& outcome : outcomes)
        (outcome.arrived ? warned : failed).push_back(&outcome);
    const std::string of = " of " + std::to_string(total) + " files ";
    std::string report;
    if (!failed.empty())
        report += std::to_string(failed.size()) + of + "could not be " + direction.participle + ":" +
                  entryLines(failed);
    if (!warned.empty())
        report += std::string(report.empty() ? "" : "\n\n") + std::to_string(warned.size()) + of +
                  "were " + direction.participle + " with a warning:" + entryLines(warned);
    return report;
}

} // namespace korimba::jobs
