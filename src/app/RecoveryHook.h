#pragma once
// The recovery hook: Cleaner.exe in win.ini's Run line while a job may be left
// behind, so that Windows starts it after a restart.
//
// Overlapping jobs: registering while the hook is already in Run changes
// nothing, and the hook is removed only once no job lock file is left, by
// taking our element out of Run as it is then. So the user's own Run value,
// and anything added to it meanwhile, survives every order of registrations,
// removals, restarts of Korimba and runs of Cleaner.exe.
#include <string>

namespace korimba::app {

// The hook entry: the short form of the program folder's Cleaner.exe ("" when missing).
std::string hookEntry();
// Registers the hook unless Run already holds it; saves the user's Run value
// in [Windows] Korimba when it does register.
void registerHook();
// Removes the hook when no job lock file remains; true when it did.
bool removeHookIfIdle();

} // namespace korimba::app
