#pragma once
// The recovery hook: Cleaner.exe in win.ini's Run line while a job may be left
// behind, so that Windows starts it after a restart.
//
// Overlapping jobs: registering while the hook is already in Run changes
// nothing, and the hook is removed only once no job lock file is left, by
// taking our element out of Run as it is then. So the user's own Run value,
// and anything added to it meanwhile, survives every order of registrations,
// removals, restarts of Korimba and runs of Cleaner.exe.
#include "platform/Platform.h"

#include <string>

namespace korimba::app {

// The hook entry of a program folder: the short form of its Cleaner.exe (""
// when missing). korimba.exe and Cleaner.exe both compute it here, so that
// Cleaner finds exactly what the program registered.
std::string hookEntry(const platform::FileSystem& files, const std::string& programFolder);
// The hook entry of the running program.
std::string hookEntry();
// True when Run holds the hook.
bool hookRegistered(platform::Profile& profile, const std::string& hook);
// Takes the hook out of Run, keeping everything else, and empties the saved
// copy. Raises "Unable to write to win.ini" when a write is refused.
void unregisterHook(platform::Profile& profile, const std::string& hook);

// Registers the hook unless Run already holds it; saves the user's Run value
// in [Windows] Korimba when it does register.
void registerHook();
// Removes the hook when no job lock file remains; true when it did.
bool removeHookIfIdle();

} // namespace korimba::app
