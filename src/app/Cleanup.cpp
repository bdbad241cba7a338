#include "app/Cleanup.h"

#include "app/RecoveryHook.h"
#include "jobs/PathRules.h"
#include "settings/ProgramFiles.h"

#include <string_view>

namespace korimba::app {

namespace {

struct JobDirection {
    const char* lockFile;
    const char* progressFile;
    const char* pendingProgress;
    std::string_view leftovers; // "*.wav": what the direction's scripts erase in Temp
    const char* listFolder;
};

constexpr JobDirection kDirections[] = {
    {settings::kEncodingLock, settings::kEncodingProgress, settings::kEncodingPendingProgress,
     paths::kEncodeLeftovers, settings::kEncodingListFolder},
    {settings::kDecodingLock, settings::kDecodingProgress, settings::kDecodingPendingProgress,
     paths::kDecodeLeftovers, settings::kDecodingListFolder},
};

enum class Lock { Absent, Running, Interrupted };

Lock lockOf(const platform::Platform& platform, const std::string& lockFile) {
    const auto written = platform.files.lastWriteTime(lockFile);
    if (!written)
        return Lock::Absent;
    return *written >= platform.process.systemStartTime() ? Lock::Running : Lock::Interrupted;
}

// Matched on the long name: a wildcard would also take "a.wave" by its short name.
bool isLeftover(const std::string& name, const JobDirection& direction,
                const paths::CodePage& codePage) {
    const std::string_view wanted = direction.leftovers.substr(1);
    return paths::lowerAscii(paths::extension(name, codePage)) == wanted;
}

template <class Wanted>
void deleteFilesIn(platform::FileSystem& files, const std::string& folder, Wanted wanted) {
    for (const platform::FolderEntry& entry : files.listFolder(folder))
        if (!entry.folder && wanted(entry.name))
            files.deleteFile(folder + entry.name);
}

// The lock file goes last, so that an interrupted clean-up is still seen as one to do.
void clearDirection(platform::Platform& platform, const std::string& programFolder,
                    const JobDirection& direction) {
    platform::FileSystem& files = platform.files;
    const paths::CodePage codePage(platform.process);
    deleteFilesIn(files, programFolder + direction.listFolder,
                  [](const std::string&) { return true; });
    deleteFilesIn(files, programFolder + settings::kTempFolder,
                  [&](const std::string& name) { return isLeftover(name, direction, codePage); });
    files.deleteFile(programFolder + direction.pendingProgress);
    files.deleteFile(programFolder + direction.progressFile);
    files.deleteFile(programFolder + direction.lockFile);
}

} // namespace

void cleanUpAfterRestart(platform::Platform& platform, const std::string& programFolder) {
    const std::string hook = hookEntry(platform.files, programFolder);
    const bool hookHeld = hookRegistered(platform.profile, hook);
    bool jobRunning = false;
    for (const JobDirection& direction : kDirections) {
        const Lock lock = lockOf(platform, programFolder + direction.lockFile);
        if (lock == Lock::Running)
            jobRunning = true;
        else if (hookHeld || lock == Lock::Interrupted)
            clearDirection(platform, programFolder, direction);
    }
    if (hookHeld && !jobRunning)
        unregisterHook(platform.profile, hook);
}

} // namespace korimba::app
