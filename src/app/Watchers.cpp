// The main window's two watchers, one per direction, for single-file and list
// jobs alike: the cycling bar, the list progress, and the end of the job.
#include "app/MainForm.h"

#include "jobs/JobWatcher.h"
#include "lists/ListProgress.h"
#include "settings/BufferForm.h"
#include "settings/ProgramFiles.h"
#include "ui/Application.h"

#include <utility>

namespace korimba::app {

struct WatchedDirection {
    const char* lockFile;
    const char* progressFile;
    const char* verb;
    bool endsAnEncodeRun; // the unattended "/encode" run ends with its job
};

namespace {

constexpr WatchedDirection kEncoding{settings::kEncodingLock, settings::kEncodingProgress,
                                     "Encoding", true};
constexpr WatchedDirection kDecoding{settings::kDecodingLock, settings::kDecodingProgress,
                                     "Decoding", false};

} // namespace

void TForm1::Timer1Timer() {
    watch(kEncoding, Timer1, ProgressBar1, Label7, settings::Form3->Memo2, encodeJob_);
}

void TForm1::Timer2Timer() {
    watch(kDecoding, Timer2, ProgressBar2, Label8, settings::Form3->Memo3, decodeJob_);
}

void TForm1::watch(const WatchedDirection& direction, ui::Timer& timer, ui::ProgressBar& bar,
                   ui::Label& label, ui::Memo& progressBuffer, std::optional<RunningJob>& job) {
    platform::FileSystem& files = settings::system().files;
    const jobs::JobWatcher watcher{
        timer,
        bar,
        label,
        settings::programFile(direction.lockFile),
        [&] {
            RemoveIni();
            if (std::optional<RunningJob> ended = std::exchange(job, std::nullopt))
                reportJob(*ended);
            if (direction.endsAnEncodeRun && encodeMode())
                close();
        },
        [&] {
            lists::showListProgress(files, settings::programFile(direction.progressFile),
                                    progressBuffer, label, direction.verb);
        },
    };
    watcher.tick(files);
}

void TForm1::reportJob(const RunningJob& job) {
    platform::FileSystem& files = settings::system().files;
    jobs::removeUnusedPlaceholders(files, job.results);
    jobs::removeStagingFolders(files, job.stagingFolders);
    if (job.noticeTells)
        return;
    const std::vector<jobs::Outcome> outcomes = jobs::judge(files, job.results);
    jobs::removeNotes(files, job.results); // told now
    const std::string report = job.list ? jobs::listReport(*job.words, job.results.size(), outcomes)
                                        : jobs::singleReport(*job.words, outcomes);
    if (report.empty())
        return;
    ui::Application::current().messageBox(
        jobs::anyFailed(outcomes) ? ui::MessageKind::Error : ui::MessageKind::Warning, report);
}

} // namespace korimba::app
