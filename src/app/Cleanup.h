#pragma once
// What Cleaner.exe does when Windows starts it after a restart that may have
// killed a job: clear what the interrupted job left in the program folder and
// take the recovery hook out of Run.
//
// It works only on the folder it was started from, never on one that win.ini
// names; the user's copy of Cleaner.exe (RecoveryHook.h) works on the folder
// its note names. It deletes there only what the jobs create themselves: the lock
// files, the list-progress files, the temporary outputs in Temp (".wav" from
// encoding, ".mp3" from decoding), the coders' failure notes in Temp
// (".wav.err" and ".snd.err" from encoding, ".mp3.err" from decoding) and
// everything in Temp\LE and Temp\LD, subfolders included. Read-only files
// and everything else stay.
//
// It acts only after an interrupted job: when Run holds its own hook entry or
// when a lock file is older than the start of Windows. A lock file written
// since Windows started belongs to a job that may still be running (Cleaner
// started by hand): that direction is left alone and the hook stays for it.
#include "platform/Platform.h"

#include <string>

namespace korimba::app {

// Raises "Unable to write to win.ini" when the hook cannot be taken out of Run.
void cleanUpAfterRestart(platform::Platform& platform, const std::string& programFolder);
// Empties a list folder (given with its final "\"), its subfolders included;
// a new list job does it too, so that nothing of an interrupted one is moved
// into its output folder.
void clearListFolder(platform::FileSystem& files, const std::string& folder);

} // namespace korimba::app
