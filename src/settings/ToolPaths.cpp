#include "settings/ToolPaths.h"

#include "settings/BufferForm.h"
#include "settings/LineFile.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPathsForm.h"
#include "ui/Application.h"

namespace korimba::settings {

namespace {

// A coder shipped beside the program, or "" when it is not there.
std::string bundledCoder(const char* name) {
    const std::string path = programFile(name);
    return namesAFile(path) ? path : std::string();
}

} // namespace

void reloadToolPaths() {
    ui::TextLines& buffer = generalBuffer();
    buffer.clear();
    const platform::Platform& system = ui::Application::current().platform();
    if (loadLinesIfExists(system.files, programFile(kSettingsIni), buffer)) {
        fromLegacyLines(system.text, buffer);
    } else {
        // A first run: Korimba ships its own coders.
        buffer.add(bundledCoder(kEncoderName));
        buffer.add(bundledCoder(kDecoderName));
    }
    Form2->Edit1.setText(buffer.numberedLine(1));
    Form2->Edit2.setText(buffer.numberedLine(2));
}

void saveToolPaths() {
    ui::TextLines& buffer = generalBuffer();
    buffer.clear();
    buffer.add(Form2->Edit1.text());
    buffer.add(Form2->Edit2.text());
    saveLines(ui::Application::current().platform().files, programFile(kSettingsIni), buffer);
}

} // namespace korimba::settings
