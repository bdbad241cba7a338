#include "app/JobLaunch.h"

#include "jobs/JobCommand.h"
#include "settings/PreferencesForm.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPathsForm.h"
#include "ui/Application.h"

namespace korimba::app {

namespace {

// The preferences' radio buttons, tested in the order Minimized, Normal, Maximized.
jobs::WindowMode windowMode() {
    const settings::TForm7& preferences = *settings::Form7;
    if (preferences.RadioButton3.checked())
        return jobs::WindowMode::Minimized;
    if (preferences.RadioButton2.checked())
        return jobs::WindowMode::Normal;
    if (preferences.RadioButton1.checked())
        return jobs::WindowMode::Maximized;
    return jobs::WindowMode::Minimized;
}

} // namespace

bool namesAFile(const std::string& path) {
    const auto& files = settings::system().files;
    return !path.empty() && files.exists(path) && !files.isFolder(path);
}

bool coderAtHand(const ui::Edit& coderField) {
    if (namesAFile(coderField.text()))
        return true;
    settings::Form2->showModal();
    return namesAFile(coderField.text());
}

bool launchScript(ui::Form& owner, const std::string& script, bool viewCoding) {
    ui::Application& application = ui::Application::current();
    platform::Platform& system = settings::system();
    if (system.shell.execute(application.backend().handleOf(owner), "open", script, "", "",
                             jobs::launchShowCommand(windowMode(), viewCoding)))
        return true;
    system.files.deleteFile(script);
    application.showError("The job could not be started: Windows did not run its script " +
                          script + ".");
    return false;
}

} // namespace korimba::app
