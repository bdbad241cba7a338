#include "app/RecoveryHook.h"

#include "app/RunHook.h"
#include "jobs/PathRules.h"
#include "settings/ProgramFiles.h"
#include "settings/WinIni.h"
#include "ui/Application.h"

namespace korimba::app {

using settings::codePage;
using settings::system;

namespace {

constexpr const char* kWindows = "Windows";
constexpr const char* kRun = "Run";
constexpr const char* kSavedRun = "Korimba";

bool jobLeft() {
    return system().files.exists(settings::programFile(settings::kEncodingLock)) ||
           system().files.exists(settings::programFile(settings::kDecodingLock));
}

} // namespace

std::string hookEntry() {
    return paths::ShortPath(system().files, settings::programFile("Cleaner.exe"));
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
    settings::WinIni winIni(system().profile);
    const std::string run = winIni.readString(kWindows, kRun);
    const std::string restored = hook::withoutHook(run, hookEntry());
    if (restored != run)
        winIni.writeString(kWindows, kRun, restored);
    winIni.writeString(kWindows, kSavedRun, "");
    return true;
}

} // namespace korimba::app
