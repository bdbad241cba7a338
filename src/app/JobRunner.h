#pragma once
// The owner of the jobs that run: it saves a job's script as its direction's
// lock file, launches it, keeps what the job is to produce and, when the
// watcher finds the lock file gone, tells what the job failed to produce. It
// has no window; the main window calls it and shows what a job is doing. A
// job found running at start (an earlier run's) is not its own: nothing to
// tell of it then.
#include "jobs/JobDirection.h"
#include "jobs/JobOutcome.h"
#include "platform/Platform.h"

#include <optional>
#include <string>
#include <vector>

namespace korimba::app {

// A job this run of the program started, and what it is to produce.
struct RunningJob {
    bool list = false;
    std::vector<jobs::ExpectedResult> results;
    std::vector<std::string> stagingFolders{}; // a list job's, for names beyond ASCII
    // The script starts the completion notice, which tells the outcome and
    // reads the coders' notes itself: the runner then tells nothing.
    bool noticeTells = false;
};

class JobRunner {
public:
    // Saves the script as the direction's lock file and launches it with the
    // owner and show command given. False, with the reason shown, when the
    // shell did not run it: nothing of the job stays then.
    bool start(const jobs::JobDirection& direction, std::vector<std::string> script, RunningJob job,
               platform::WindowHandle owner, int showCommand);
    // The direction's lock file is gone: the job ends, and what it failed to
    // produce is told, unless its notice tells it; in an unattended run a
    // failure also becomes the exit status.
    void ended(const jobs::JobDirection& direction);
    // Whether a job of the direction that this run started has not ended yet.
    bool started(const jobs::JobDirection& direction) const;

private:
    // Which of jobs_ is the direction's.
    static std::size_t slot(const jobs::JobDirection& direction);

    std::optional<RunningJob> jobs_[2]; // encoding, decoding
};

// The runner of the running program; a new one for every start of the windows.
JobRunner& jobRunner();
void resetJobRunner();

// Whether a script that starts the completion notice leaves the telling of its
// outcome to it: not when the notice program is gone from the program folder.
bool noticeTells(bool scriptStartsNotice);

} // namespace korimba::app
