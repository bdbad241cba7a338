#include "jobs/JobWatcher.h"

namespace korimba::jobs {

namespace {

constexpr int kBarStep = 10;

} // namespace

void JobWatcher::tick(const platform::FileSystem& files) const {
    bar.show();
    label.show();
    // A busy indicator, not the job's progress: one cycle every ten ticks.
    const int position = bar.position() + kBarStep;
    bar.setPosition(position == bar.max() ? bar.min() : position);
    if (!files.exists(lockFile)) {
        timer.setEnabled(false);
        bar.hide();
        label.hide();
        bar.setPosition(0);
        if (jobEnded)
            jobEnded();
    }
    if (everyTick)
        everyTick();
}

} // namespace korimba::jobs
