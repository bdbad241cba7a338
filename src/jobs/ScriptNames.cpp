#include "jobs/ScriptNames.h"

#include <algorithm>

namespace korimba::jobs {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string unnameableMessage(const std::string& path, const std::string& character) {
    return "Korimba cannot pass this name to the command interpreter that runs the job:\n\n" +
           path +
           "\n\nIts volume gives no short (8.3) names, and the character \"" + character +
           "\" does not exist in the interpreter's code page. Please rename the file or folder "
           "and try again.";
}

std::string ScriptNames::path(const std::string& path) {
    if (isAscii(path))
        return path;
    if (std::string shortForm = shortAscii(path); !shortForm.empty())
        return shortForm;
    const std::string shortForm = paths::ShortPath(files_, path);
    if (shortForm.empty()) {
        // Not there yet: its folder by the short form, its own name as it is.
        const std::string folder = paths::folderPart(path, codePage_);
        if (!folder.empty() && folder != path && files_.exists(folder)) {
            const std::string shortFolder = shortAscii(folder);
            const std::string ownName = name(paths::fileNamePart(path, codePage_), path);
            if (!shortFolder.empty())
                return ownName.empty() ? std::string() : shortFolder + ownName;
        }
    }
    return oem(shortForm.empty() ? path : shortForm, path);
}

void ScriptNames::makeFolder(const std::string& folder) {
    if (!files_.exists(folder) && files_.createFolders(folder))
        madeFolders_.push_back(folder);
}

std::string ScriptNames::madeToBeNamed(const std::string& path) {
    if (!files_.writeFile(path, ""))
        return {};
    const std::string shortForm = shortAscii(path);
    if (shortForm.empty())
        files_.deleteFile(path);
    else
        madeFiles_.push_back(path);
    return shortForm;
}

void ScriptNames::discard() {
    for (const std::string& file : madeFiles_)
        files_.deleteFile(file);
    for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
        files_.removeFolder(*folder);
    madeFiles_.clear();
    madeFolders_.clear();
}

void ScriptNames::nameOutput(const std::string& output, SingleScript& script) {
    if (!isAscii(output)) {
        const bool existed = files_.exists(output);
        const std::string shortOutput = existed ? shortAscii(output) : madeToBeNamed(output);
        if (!shortOutput.empty()) {
            script.output = output;
            script.shortOutput = shortOutput;
            script.writesIntoOutput = true;
            script.outputIsPlaceholder = !existed;
            return;
        }
    }
    script.output = path(output);
    script.shortOutput = path(paths::ShortPath(files_, output));
}

std::string ScriptNames::name(const std::string& name, const std::string& whole) {
    return isAscii(name) ? name : oem(name, whole);
}

std::string ScriptNames::shortAscii(const std::string& path) const {
    std::string shortForm = paths::ShortPath(files_, path);
    return isAscii(shortForm) ? shortForm : std::string();
}

std::string ScriptNames::oem(const std::string& text, const std::string& whole) {
    std::string missing;
    if (codePage_.isUtf8()) {
        // The console's code page is then the process's too, and says nothing of
        // the one the interpreter reads the script in: only ASCII is sure.
        std::size_t at = 0;
        while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80)
            ++at;
        if (at < text.size())
            missing = text.substr(at, codePage_.characterLength(text, at));
    } else if (std::optional<std::string> form = encoding_.oemForm(text, missing)) {
        return *form;
    }
    if (refusal_.empty())
        refusal_ = unnameableMessage(whole, missing);
    return {};
}

} // namespace korimba::jobs
