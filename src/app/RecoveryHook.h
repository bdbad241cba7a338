#pragma once
// The recovery hook: Cleaner.exe in win.ini's Run line while a job may be left
// behind, so that Windows starts it after a restart.
//
// Overlapping jobs: registering while the hook is already in Run changes
// nothing, and the hook is removed only once no job lock file is left, by
// taking our element out of Run as it is then. So the user's own Run value,
// and anything added to it meanwhile, survives every order of registrations,
// removals, restarts of Korimba and runs of Cleaner.exe.
//
// Whose program runs: Windows starts the hook as this user, so it must be a
// Cleaner.exe that nobody else can replace. Where others may change the
// program folder or its Cleaner.exe (a folder made directly under C:\), the
// hook is a copy of Cleaner.exe in the user's own local application data,
// made and checked when the hook is registered, beside a note that names the
// program folder it cleans.
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace korimba::app {

// The copy's folder in the user's local application data, and its note.
inline constexpr const char* kUserCleanerFolder = "Korimba\\";
inline constexpr const char* kCleanerName = "Cleaner.exe";
inline constexpr const char* kCleanerNote = "Cleaner.ini";

// The short form of a program folder's own Cleaner.exe ("" when missing).
std::string hookEntry(const platform::FileSystem& files, const std::string& programFolder);
// The hook entry of the running program's own Cleaner.exe.
std::string hookEntry();
// Every Run entry that stands for a program folder's hook: its own Cleaner.exe,
// and the user's copy while the copy's note names this folder.
std::vector<std::string> hookEntries(const platform::Platform& platform,
                                     const std::string& programFolder);
// The entry to register for a program folder: its own Cleaner.exe when only
// the user and the system may change it and the folder; otherwise the user's
// copy, made and checked now; "" when Cleaner.exe is missing or no copy can
// be trusted, and then no hook is registered at all.
std::string entryToRegister(platform::Platform& platform, const std::string& programFolder);
// The program folder a Cleaner.exe cleans: its own folder, or for the user's
// copy the folder its note names ("" when the note names none).
std::string cleanerTarget(const platform::Platform& platform);

// True when Run holds one of the entries.
bool hookRegistered(platform::Profile& profile, const std::vector<std::string>& hooks);
// Takes the entries out of Run, keeping everything else, and empties the saved
// copy. Raises "Unable to write to win.ini" when a write is refused.
void unregisterHook(platform::Profile& profile, const std::vector<std::string>& hooks);

// Registers the hook unless Run already holds it; saves the user's Run value
// in [Windows] Korimba when it does register.
void registerHook();
// Removes the hook when no job lock file remains; true when it did.
bool removeHookIfIdle();

} // namespace korimba::app
