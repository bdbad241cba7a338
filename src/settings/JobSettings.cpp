#include "settings/JobSettings.h"

#include "settings/PreferencesForm.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPathsForm.h"
#include "ui/Application.h"

#include <algorithm>

namespace korimba::settings {

std::string encoderPath() {
    return Form2->Edit1.text();
}

std::string decoderPath() {
    return Form2->Edit2.text();
}

bool startsNotice(NoticeAfter job) {
    // A run that a script waits for leaves its outcome on standard error and in
    // its exit status; a window per file would pile up for nobody.
    if (ui::Application::current().unattended())
        return false;
    switch (job) {
    case NoticeAfter::Encoding:
        return Form7->CheckBox2.checked();
    case NoticeAfter::Decoding:
        return Form7->CheckBox3.checked();
    case NoticeAfter::ListProcess:
        return Form7->CheckBox4.checked();
    }
    return false;
}

bool showsFilesLeft() {
    return Form7->CheckBox1.checked();
}

std::size_t listWorkers(std::size_t entries) {
    if (!Form7->CheckBox9.checked())
        return 1;
    const std::size_t processors = system().process.processorCount();
    return std::max<std::size_t>(1, std::min(entries, processors));
}

// The radio buttons, tested in the order Minimized, Normal, Maximized.
jobs::WindowMode codingWindowMode() {
    if (Form7->RadioButton3.checked())
        return jobs::WindowMode::Minimized;
    if (Form7->RadioButton2.checked())
        return jobs::WindowMode::Normal;
    if (Form7->RadioButton1.checked())
        return jobs::WindowMode::Maximized;
    return jobs::WindowMode::Minimized;
}

} // namespace korimba::settings
