#include "jobs/OutputField.h"

namespace korimba::jobs {

std::string outputOnEnter(const std::string& output, const std::string& input,
                          const OutputPreferences& preferences, const text::CodePage& codePage) {
    std::string result = output;
    if (preferences.fillFolder && result.empty())
        result = preferences.otherFolderChosen ? preferences.otherFolder
                                               : paths::folderPart(input, codePage);
    if (preferences.appendFileName && paths::fileNamePart(result, codePage).empty())
        result += paths::nameWithoutLastFour(paths::fileNamePart(input, codePage));
    return result;
}

std::string outputOnExit(const std::string& output, const std::string& input,
                         const OutputPreferences& preferences, const text::CodePage& codePage) {
    if (output.empty() || !preferences.appendExtension ||
        !paths::extension(output, codePage).empty())
        return output;
    return output + paths::completionExtension(input, codePage);
}

} // namespace korimba::jobs
