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

void launchScript(ui::Form& owner, const std::string& script, bool viewCoding) {
    ui::Application& application = ui::Application::current();
    settings::system().shell.execute(application.backend().handleOf(owner), "open", script, "", "",
                                     jobs::launchShowCommand(windowMode(), viewCoding));
}

} // namespace korimba::app
