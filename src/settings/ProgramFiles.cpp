#include "settings/ProgramFiles.h"

#include "jobs/PathRules.h"
#include "ui/Application.h"

namespace korimba::settings {

platform::Platform& system() {
    return ui::Application::current().platform();
}

text::CodePage codePage() {
    return text::CodePage(system().text);
}

std::string programFolder(const platform::Platform& platform) {
    return paths::folderPart(platform.process.executablePath(), text::CodePage(platform.text));
}

std::string programFolder() {
    return programFolder(system());
}

bool namesAFile(const std::string& path) {
    const platform::FileSystem& files = system().files;
    return !path.empty() && files.exists(path) && !files.isFolder(path);
}

std::string programFile(const std::string& relativeName) {
    return programFolder() + relativeName;
}

} // namespace korimba::settings
