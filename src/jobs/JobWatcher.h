#pragma once
// A watcher of one job direction: while the job's lock file exists it keeps
// the status label and a cycling progress bar on screen; on the first tick
// that finds the file gone it returns to idle and reports the end. The job
// runs in another process; the lock file is all the two share.
#include "platform/Platform.h"
#include "ui/Controls.h"
#include "ui/Timer.h"

#include <functional>
#include <string>

namespace korimba::jobs {

struct JobWatcher {
    ui::Timer& timer;
    ui::ProgressBar& bar;
    ui::Label& label;
    std::string lockFile; // full path
    std::function<void()> jobEnded;
    // Runs on every tick after the end test, the ending tick included.
    std::function<void()> everyTick;

    void tick(const platform::FileSystem& files) const;
};

} // namespace korimba::jobs
