#include "app/Cleanup.h"

#include "app/RecoveryHook.h"
#include "jobs/CoderNote.h"
#include "jobs/JobDirection.h"
#include "jobs/PathRules.h"
#include "settings/ProgramFiles.h"

#include <string_view>
#include <vector>

namespace korimba::app {

namespace {

enum class Lock { Absent, Running, Interrupted };

Lock lockOf(const platform::Platform& platform, const std::string& lockFile) {
    const auto written = platform.files.lastWriteTime(lockFile);
    if (!written)
        return Lock::Absent;
    return *written >= platform.process.systemStartTime() ? Lock::Running : Lock::Interrupted;
}

// Matched on the long name: a wildcard would also take "a.wave" by its short name.
bool isLeftover(const std::string& name, const jobs::JobDirection& direction,
                const text::CodePage& codePage) {
    const std::string_view wanted = direction.leftovers.substr(1);
    return paths::lowerAscii(paths::extension(name, codePage)) == wanted;
}

// A coder's note on one of the direction's inputs: "x.wav.err" but not the
// user's "thesis.err" or "x.txt.err". Extensions by the path rules, so that a
// double-byte character never passes for a dot.
bool isNote(const std::string& name, const jobs::JobDirection& direction,
            const text::CodePage& codePage) {
    const std::string noteExtension = paths::extension(name, codePage);
    if (paths::lowerAscii(noteExtension) != notes::kExtension)
        return false;
    const std::string input = name.substr(0, name.size() - noteExtension.size());
    const std::string inputExtension = paths::lowerAscii(paths::extension(input, codePage));
    for (const std::string_view wanted : direction.notedInputs)
        if (!wanted.empty() && inputExtension == wanted)
            return true;
    return false;
}

template <class Wanted>
void deleteFilesIn(platform::FileSystem& files, const std::string& folder, Wanted wanted) {
    for (const platform::FolderEntry& entry : files.listFolder(folder))
        if (!entry.folder && wanted(entry.name))
            files.deleteFile(folder + entry.name);
}

// The lock file goes last, so that an interrupted clean-up is still seen as one to do.
void clearDirection(platform::Platform& platform, const std::string& programFolder,
                    const jobs::JobDirection& direction) {
    platform::FileSystem& files = platform.files;
    const text::CodePage codePage(platform.text);
    clearListFolder(files, programFolder + direction.listFolder);
    deleteFilesIn(files, programFolder + settings::kTempFolder, [&](const std::string& name) {
        return isLeftover(name, direction, codePage) || isNote(name, direction, codePage);
    });
    files.deleteFile(programFolder + direction.pendingProgress);
    files.deleteFile(programFolder + direction.progressFile);
    files.deleteFile(programFolder + direction.lockFile);
}

} // namespace

// Everything below a list folder is the list scripts' own, its subfolders
// too; a subfolder that keeps a file (a read-only one) stays with it.
void clearListFolder(platform::FileSystem& files, const std::string& folder) {
    for (const platform::FolderEntry& entry : files.listFolder(folder)) {
        const std::string path = folder + entry.name;
        if (!entry.folder) {
            files.deleteFile(path);
            continue;
        }
        clearListFolder(files, path + "\\");
        files.removeFolder(path);
    }
}

void cleanUpAfterRestart(platform::Platform& platform, const std::string& programFolder) {
    const std::vector<std::string> hooks = hookEntries(platform, programFolder);
    const bool hookHeld = hookRegistered(platform.profile, hooks);
    bool jobRunning = false;
    for (const jobs::JobDirection* direction : jobs::kDirections) {
        const Lock lock = lockOf(platform, programFolder + direction->lockFile);
        if (lock == Lock::Running)
            jobRunning = true;
        else if (hookHeld || lock == Lock::Interrupted)
            clearDirection(platform, programFolder, *direction);
    }
    if (hookHeld && !jobRunning)
        unregisterHook(platform.profile, hooks);
}

} // namespace korimba::app
