#include "app/Program.h"

#include "app/AboutForm.h"
#include "app/JobRunner.h"
#include "app/MainForm.h"
#include "jobs/PathRules.h"
#include "lists/ListForm.h"
#include "settings/BufferForm.h"
#include "settings/PreferencesForm.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPathsForm.h"

namespace korimba::app {

std::string unwritableFolderMessage(const std::string& folder) {
    return "Korimba cannot write to the folder it was started from:\n\n" + folder +
           "\n\nKorimba keeps its settings, job scripts and temporary files in that folder. "
           "Move the Korimba folder to a folder of your own, for example into your Documents "
           "folder, and start Korimba from there.";
}

namespace {

// Settings, scripts and Temp all live beside the executable, and a manifest
// (or 64 bits) means no file virtualization: unpacked under Program Files or
// onto a read-only share, every save and every job would fail, each with a box
// of its own that does not say why. Say it once, before any window has
// written anything.
bool programFolderWritable(ui::Application& application) {
    platform::Platform& system = application.platform();
    if (system.files.canWriteFolder(settings::programFolder(system)))
        return true;
    const std::string executable = system.process.executablePath();
    application.showError(unwritableFolderMessage(
        paths::folderWithoutTrailingBackslash(executable, text::CodePage(system.text))));
    return false;
}

} // namespace

bool createWindows(ui::Application& application) {
    application.setTitle("Korimba");
    if (!programFolderWritable(application))
        return false;
    resetJobRunner();
    application.createForm(Form1);
    application.createForm(settings::Form2);
    application.createForm(settings::Form3);
    application.createForm(Form4);
    application.createForm(lists::Form6);
    application.createForm(settings::Form7);
    lists::Form6->OnHandBack = [] { Form1->ListWindowClosed(); };
    return true;
}

} // namespace korimba::app
