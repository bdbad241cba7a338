#include "settings/ProgramFiles.h"

#include "jobs/PathRules.h"
#include "ui/Application.h"

namespace korimba::settings {

std::string programFolder(const platform::Process& process) {
    return paths::folderPart(process.executablePath(), paths::CodePage(process));
}

std::string programFolder() {
    return programFolder(ui::Application::current().platform().process);
}

std::string programFile(const std::string& relativeName) {
    return programFolder() + relativeName;
}

} // namespace korimba::settings
