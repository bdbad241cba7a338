#include "app/RecoveryHook.h"

#include "app/RunHook.h"
#include "jobs/JobDirection.h"
#include "jobs/PathRules.h"
#include "platform/WriteAccess.h"
#include "settings/ProgramFiles.h"
#include "settings/WinIni.h"
#include "ui/Application.h"

#include <algorithm>
#include <iterator>

namespace korimba::app {

using settings::system;

namespace {

constexpr const char* kWindows = "Windows";
constexpr const char* kRun = "Run";
constexpr const char* kSavedRun = "Korimba";

bool jobLeft() {
    return std::any_of(std::begin(jobs::kDirections), std::end(jobs::kDirections),
                       [](const jobs::JobDirection* direction) {
                           return system().files.exists(settings::programFile(direction->lockFile));
                       });
}

// "" when the user has no local application data folder.
std::string userCleanerFolder(const platform::Platform& platform) {
    const std::string appData = platform.process.localAppDataFolder();
    return appData.empty() ? "" : appData + kUserCleanerFolder;
}

bool sameFolder(const std::string& a, const std::string& b) {
    return paths::lowerAscii(a) == paths::lowerAscii(b);
}

// The folder the user's copy cleans, by its note; "" without one.
std::string notedFolder(const platform::Platform& platform, const std::string& copyFolder) {
    const auto note = platform.files.readFile(copyFolder + kCleanerNote);
    if (!note)
        return {};
    const std::string folder = note->substr(0, note->find_first_of("\r\n"));
    return !folder.empty() && folder.back() == '\\' ? folder : "";
}

bool onlyUserMayChange(const platform::Platform& platform, const std::string& path) {
    const std::string object =
        !path.empty() && path.back() == '\\' ? paths::folderWithoutTrailingBackslash(path) : path;
    const auto descriptor = platform.files.securityDescriptor(object);
    return descriptor && platform::onlyUserMayChange(*descriptor, platform.process.userSid());
}

// A copy of the program folder's Cleaner.exe in the user's own folder, with
// its note; "" unless the copy is whole and only the user may change it.
std::string userCopy(platform::Platform& platform, const std::string& programFolder) {
    platform::FileSystem& files = platform.files;
    const std::string folder = userCleanerFolder(platform);
    if (folder.empty() || !files.createFolders(folder))
        return {};
    const std::string original = programFolder + kCleanerName;
    const std::string copy = folder + kCleanerName;
    const std::string note = folder + kCleanerNote;
    if (!files.copyFile(original, copy, false) || !files.writeFile(note, programFolder + "\r\n"))
        return {};
    const auto originalBytes = files.readFile(original);
    if (!originalBytes || files.readFile(copy) != originalBytes)
        return {};
    for (const std::string& path : {folder, copy, note})
        if (!onlyUserMayChange(platform, path))
            return {};
    return paths::ShortPath(files, copy);
}

} // namespace

std::string hookEntry(const platform::FileSystem& files, const std::string& programFolder) {
    return paths::ShortPath(files, programFolder + kCleanerName);
}

std::string hookEntry() {
    return hookEntry(system().files, settings::programFolder());
}

std::vector<std::string> hookEntries(const platform::Platform& platform,
                                     const std::string& programFolder) {
    std::vector<std::string> entries;
    if (std::string own = hookEntry(platform.files, programFolder); !own.empty())
        entries.push_back(own);
    const std::string copyFolder = userCleanerFolder(platform);
    if (!copyFolder.empty() && sameFolder(notedFolder(platform, copyFolder), programFolder))
        if (std::string copy = hookEntry(platform.files, copyFolder); !copy.empty())
            entries.push_back(copy);
    return entries;
}

std::string entryToRegister(platform::Platform& platform, const std::string& programFolder) {
    const std::string own = hookEntry(platform.files, programFolder);
    if (own.empty())
        return {};
    if (onlyUserMayChange(platform, programFolder) &&
        onlyUserMayChange(platform, programFolder + kCleanerName))
        return own;
    return userCopy(platform, programFolder);
}

std::string cleanerTarget(const platform::Platform& platform) {
    const std::string ownFolder = settings::programFolder(platform);
    const std::string copyFolder = userCleanerFolder(platform);
    if (copyFolder.empty() || !sameFolder(ownFolder, copyFolder))
        return ownFolder;
    return notedFolder(platform, copyFolder);
}

bool hookRegistered(platform::Profile& profile, const std::vector<std::string>& hooks) {
    const std::string run = settings::WinIni(profile).readString(kWindows, kRun);
    return std::any_of(hooks.begin(), hooks.end(),
                       [&](const std::string& hook) { return hook::holdsHook(run, hook); });
}

void unregisterHook(platform::Profile& profile, const std::vector<std::string>& hooks) {
    settings::WinIni winIni(profile);
    const std::string run = winIni.readString(kWindows, kRun);
    std::string restored = run;
    for (const std::string& hook : hooks)
        restored = hook::withoutHook(restored, hook);
    if (restored != run)
        winIni.writeString(kWindows, kRun, restored);
    winIni.writeString(kWindows, kSavedRun, "");
}

void registerHook() {
    platform::Platform& platform = system();
    const std::string folder = settings::programFolder();
    if (hookRegistered(platform.profile, hookEntries(platform, folder)))
        return;
    settings::WinIni winIni(platform.profile);
    const std::string run = winIni.readString(kWindows, kRun);
    const std::string registered = hook::withHook(run, entryToRegister(platform, folder));
    if (registered == run)
        return;
    winIni.writeString(kWindows, kSavedRun, run);
    winIni.writeString(kWindows, kRun, registered);
}

bool removeHookIfIdle() {
    if (jobLeft())
        return false;
    unregisterHook(system().profile, hookEntries(system(), settings::programFolder()));
    return true;
}

} // namespace korimba::app
