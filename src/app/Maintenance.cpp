// The "&Fixations" submenu: putting back the settings of the scripts' DOS
// windows, and ending every job the only way there is, a forced restart.
#include "app/MainForm.h"

#include "app/RecoveryHook.h"
#include "settings/ProgramFiles.h"
#include "ui/Application.h"

namespace korimba::app {

namespace {

// ExitWindowsEx: a forced log-off that ends every program without asking, then a restart.
constexpr unsigned kForcedLogOff = 4;
constexpr unsigned kRestart = 2;

// Puts back one window's settings from its stored copy; "" when done, else why not.
// Without the stored copy the settings it has are better than none.
std::string fixDosWindow(platform::FileSystem& files, const std::string& name) {
    const std::string stored = settings::programFile(name + ".dat");
    const std::string pif = settings::programFile(name + ".pif");
    if (!settings::namesAFile(stored))
        return stored + " is missing";
    files.deleteFile(pif);
    if (!files.copyFile(stored, pif, false))
        return pif + " could not be written";
    return {};
}

} // namespace

void TForm1::FixDOSwindows1Click() {
    ui::Application& application = ui::Application::current();
    if (application.messageBox(ui::MessageKind::Confirmation,
                               "This will fix the encoding and decoding Dos-windows, when they "
                               "freeze on the background. You do not have to restart Windows. Do "
                               "you want to continue?") != ui::Answer::Yes)
        return;
    platform::FileSystem& files = settings::system().files;
    std::string failed;
    std::string fixed;
    for (const char* name : {"encoding", "decoding"}) {
        const std::string why = fixDosWindow(files, name);
        const std::string window = std::string("\nThe ") + name + " Dos-window ";
        if (why.empty())
            fixed += window + "has been fixed.";
        else
            failed += window + "could not be fixed: " + why + ".";
    }
    if (failed.empty())
        application.messageBox(ui::MessageKind::Information, "The Dos-windows have been fixed.");
    else
        application.showError((failed + fixed).substr(1));
}

// The close steps do not run: the killed jobs' lock files and the hook stay
// for the next start, which watches and cleans up after them.
void TForm1::Killprocesses1Click() {
    ui::Application& application = ui::Application::current();
    if (application.messageBox(ui::MessageKind::Confirmation,
                               "This will kill all encoding and decoding processes. You will have "
                               "to restart Windows now to do this. Do you want to continue?") !=
        ui::Answer::Yes)
        return;
    application.messageBox(ui::MessageKind::Warning,
                           "Save any unsaved work and close all applications. Click OK to "
                           "continue.");
    if (hookFlag_)
        registerHook();
    platform::Shell& shell = settings::system().shell;
    shell.exitWindows(kForcedLogOff, 0);
    shell.exitWindows(kRestart, 0);
}

} // namespace korimba::app
