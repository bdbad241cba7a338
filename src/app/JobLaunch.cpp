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

bool coderAtHand(std::string (*coderPath)()) {
    if (settings::namesAFile(coderPath()))
        return true;
    settings::Form2->showModal();
    return settings::namesAFile(coderPath());
}

bool TForm1::startJob(JobStart start, const JobDisplay& display) {
    if (!jobRunner().start(
            start.direction, std::move(start.script), std::move(start.job),
            ui::Application::current().backend().handleOf(*this),
            jobs::launchShowCommand(settings::codingWindowMode(), CheckBox4.checked())))
        return false;
    display.label.setCaption(start.caption);
    display.label.setHint(start.hint);
    display.timer.setEnabled(true);
    AddIni();
    return true;
}

} // namespace korimba::app
