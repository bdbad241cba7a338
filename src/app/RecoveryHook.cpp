#include "app/RecoveryHook.h"

#include "app/RunHook.h"
#include "jobs/JobDirection.h"
#include "jobs/PathRules.h"
#include "settings/ProgramFiles.h"
#include "settings/WinIni.h"
#include "ui/Application.h"

#include <algorithm>
#include <iterator>

namespace korimba::app {

using settings::codePage;
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

} // namespace

std::string hookEntry(const platform::FileSystem& files, const std::string& programFolder) {
    return paths::ShortPath(files, programFolder + "Cleaner.exe");
}

std::string hookEntry() {
    return hookEntry(system().files, settings::programFolder());
}

bool hookRegistered(platform::Profile& profile, const std::string& hook) {
    return hook::holdsHook(settings::WinIni(profile).readString(kWindows, kRun), hook);
}

void unregisterHook(platform::Profile& profile, const std::string& hook) {
    settings::WinIni winIni(profile);
    const std::string run = winIni.readString(kWindows, kRun);
    const std::string restored = hook::withoutHook(run, hook);
    if (restored != run)
        winIni.writeString(kWindows, kRun, restored);
    winIni.writeString(kWindows, kSavedRun, "");
}

void registerHook() {
    settings::WinIni winIni(system().profile);
    const std::string hook = hookEntry();
    const std::string run = winIni.readString(kWindows, kRun);
    const std::string registered = hook::withHook(run, hook);
    if (registered == run)
        return;
    winIni.writeString(kWindows, kSavedRun, run);
    winIni.writeString(kWindows, kRun, registered);
}

bool removeHookIfIdle() {
    if (jobLeft())
        return false;
    unregisterHook(system().profile, hookEntry());
    return true;
}

} // namespace korimba::app
