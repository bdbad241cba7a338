#include "settings/ProgramFiles.h"

#include "jobs/PathRules.h"
#include "ui/Application.h"

namespace korimba::settings {

platform::Platform& system() {
    return ui::Application::current().platform();
}

paths::CodePage codePage() {
    return paths::CodePage(system().process);
}

std::string programFolder(const platform::Process& process) {
    return paths::folderPart(process.executablePath(), paths::CodePage(process));
}

std::string programFolder() {
    return programFolder(system().process);
}

std::string programFile(const std::string& relativeName) {
    return programFolder() + relativeName;
}

} // namespace korimba::settings
