// Closing the main window, and the recovery hook that outlives it.
#include "app/MainForm.h"
#include "app/RecoveryHook.h"
#include "settings/BufferForm.h"
#include "settings/LineFile.h"
#include "settings/ProgramFiles.h"
#include "ui/Application.h"

namespace korimba::app {

void TForm1::FormCloseQuery(bool& canClose) {
    // The window closes whatever happens to options.ini: a failure is only reported.
    canClose = true;
    ui::TextLines& buffer = settings::generalBuffer();
    buffer = settings::lastOptionLines(options_);
    settings::saveLines(ui::Application::current().platform().files,
                        settings::programFile(settings::kOptionsIni), buffer);
}

void TForm1::FormClose() {
    ui::Application::current().platform().files.deleteFile(
        settings::programFile(settings::kNoticeFile));
}

void TForm1::AddIni() {
    registerHook();
    hookFlag_ = true;
}

void TForm1::RemoveIni() {
    if (removeHookIfIdle())
        hookFlag_ = false;
}

} // namespace korimba::app
