#include "app/JobRunner.h"

#include "jobs/ExternalPrograms.h"
#include "settings/BufferForm.h"
#include "settings/LineFile.h"
#include "settings/ProgramFiles.h"
#include "ui/Application.h"

#include <utility>

namespace korimba::app {

bool JobRunner::start(const jobs::JobDirection& direction, std::vector<std::string> script,
                      RunningJob job, platform::WindowHandle owner, int showCommand) {
    platform::Platform& system = settings::system();
    const std::string lockFile = settings::programFile(direction.lockFile);
    settings::saveScript(lockFile, std::move(script));
    // A script the shell refuses would never delete itself, and its lock
    // would refuse every later job of its direction.
    if (!system.shell.execute(owner, "open", lockFile, "", "", showCommand)) {
        system.files.deleteFile(lockFile);
        ui::Application::current().showError(
            "The job could not be started: Windows did not run its script " + lockFile + ".");
        return false;
    }
    jobs_[slot(direction)] = std::move(job);
    return true;
}

void JobRunner::ended(const jobs::JobDirection& direction) {
    const std::optional<RunningJob> job = std::exchange(jobs_[slot(direction)], std::nullopt);
    if (!job)
        return;
    platform::FileSystem& files = settings::system().files;
    jobs::removeUnusedPlaceholders(files, job->results);
    std::vector<jobs::Outcome> outcomes;
    if (!job->noticeTells) {
        outcomes = jobs::judge(files, job->results);
        jobs::removeNotes(files, job->results); // told now
    }
    // After the notes: an entry's own folder holds its note until it is told.
    jobs::removeStagingFolders(files, job->stagingFolders);
    if (job->noticeTells)
        return;
    const std::string report = job->list
                                   ? jobs::listReport(direction, job->results.size(), outcomes)
                                   : jobs::singleReport(direction, outcomes);
    if (report.empty())
        return;
    ui::Application::current().messageBox(
        jobs::anyFailed(outcomes) ? ui::MessageKind::Error : ui::MessageKind::Warning, report);
}

bool JobRunner::started(const jobs::JobDirection& direction) const {
    return jobs_[slot(direction)].has_value();
}

std::size_t JobRunner::slot(const jobs::JobDirection& direction) {
    return jobs::sameDirection(direction, jobs::kEncoding) ? 0 : 1;
}

namespace {

JobRunner& runnerStorage() {
    static JobRunner runner;
    return runner;
}

} // namespace

JobRunner& jobRunner() {
    return runnerStorage();
}

void resetJobRunner() {
    runnerStorage() = JobRunner();
}

bool noticeTells(bool scriptStartsNotice) {
    return scriptStartsNotice && settings::namesAFile(settings::programFile(jobs::kNoticeProgram));
}

} // namespace korimba::app
