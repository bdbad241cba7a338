// Program entry: the real platform and desktop, the six windows, the message loop.
#include "app/Program.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/win32/Win32Backend.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    korimba::platform::win32::Win32Platform system;
    korimba::ui::win32::Win32Backend backend(instance);
    korimba::ui::Application application(system.bundle(), backend);
    // The user has been told why; an unattended caller sees it in the exit code.
    if (!korimba::app::createWindows(application))
        return 1;
    application.run();
    return application.exitStatus();
}
