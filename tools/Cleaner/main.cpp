// Cleaner.exe: started by Windows from the Run line of win.ini after a restart
// that may have killed a job. It clears what such a job left in its own folder
// and takes its entry out of Run; with nothing to do it changes nothing. As the
// user's copy (RecoveryHook.h) it does so for the folder its note names.
#include <windows.h>

#include "app/Cleanup.h"
#include "app/RecoveryHook.h"
#include "platform/Exception.h"
#include "platform/win32/Win32Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        korimba::platform::win32::Win32Platform system;
        korimba::platform::Platform platform = system.bundle();
        const std::string folder = korimba::app::cleanerTarget(platform);
        if (!folder.empty())
            korimba::app::cleanUpAfterRestart(platform, folder);
        return 0;
    } catch (const korimba::Exception&) {
        return 1; // win.ini refused the write: Run still holds the hook for the next start
    } catch (...) {
        return 2;
    }
}
