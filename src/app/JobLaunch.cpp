#include "app/JobLaunch.h"

#include "app/MainForm.h"

#include "jobs/JobCommand.h"
#include "settings/BufferForm.h"
#include "settings/JobSettings.h"
#include "settings/LineFile.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPathsForm.h"
#include "ui/Application.h"

namespace korimba::app {

bool namesAFile(const std::string& path) {
    const auto& files = settings::system().files;
    return !path.empty() && files.exists(path) && !files.isFolder(path);
}

bool coderAtHand(std::string (*coderPath)()) {
    if (namesAFile(coderPath()))
        return true;
    settings::Form2->showModal();
    return namesAFile(coderPath());
}

bool noticeTells(bool scriptStartsNotice) {
    return scriptStartsNotice && namesAFile(settings::programFile(jobs::kNoticeProgram));
}

bool TForm1::startJob(JobStart start, const JobDisplay& display) {
    ui::Application& application = ui::Application::current();
    platform::Platform& system = settings::system();
    ui::TextLines& buffer = settings::generalBuffer();
    buffer = ui::TextLines(std::move(start.script));
    settings::saveLines(system.files, start.lockFile, buffer);
    buffer.clear();
    // A script the shell refuses would never delete itself, and its lock
    // would refuse every later job of its direction.
    if (!system.shell.execute(
            application.backend().handleOf(*this), "open", start.lockFile, "", "",
            jobs::launchShowCommand(settings::codingWindowMode(), CheckBox4.checked()))) {
        system.files.deleteFile(start.lockFile);
        application.showError("The job could not be started: Windows did not run its script " +
                              start.lockFile + ".");
        return false;
    }
    display.label.setCaption(start.caption);
    display.label.setHint(start.hint);
    display.job = std::move(start.job);
    display.timer.setEnabled(true);
    AddIni();
    return true;
}

} // namespace korimba::app
