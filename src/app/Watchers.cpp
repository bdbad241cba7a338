// The main window's two watchers, one per direction, for single-file and list
// jobs alike: the cycling bar, the list progress, and the end of the job.
#include "app/MainForm.h"

#include "jobs/JobWatcher.h"
#include "lists/ListProgress.h"
#include "settings/BufferForm.h"
#include "settings/ProgramFiles.h"
#include "ui/Application.h"

namespace korimba::app {

void TForm1::Timer1Timer() {
    watch(jobs::kEncoding, Timer1, ProgressBar1, Label7);
}

void TForm1::Timer2Timer() {
    watch(jobs::kDecoding, Timer2, ProgressBar2, Label8);
}

void TForm1::watch(const jobs::JobDirection& direction, ui::Timer& timer, ui::ProgressBar& bar,
                   ui::Label& label) {
    platform::FileSystem& files = settings::system().files;
    const jobs::JobWatcher watcher{
        timer,
        bar,
        label,
        settings::programFile(direction.lockFile),
        [&] {
            RemoveIni();
            jobRunner().ended(direction);
            // The unattended "/encode" run ends with its job.
            if (jobs::sameDirection(direction, jobs::kEncoding) && encodeMode())
                close();
        },
        [&] {
            lists::showListProgress(files, settings::programFile(direction.progressFile),
                                    settings::Form3->listProgress(direction), label,
                                    direction.verb);
        },
    };
    watcher.tick(files);
}

} // namespace korimba::app
