#include "lists/ListProgress.h"

#include "platform/Exception.h"
#include "settings/LineFile.h"

namespace korimba::lists {

std::string progressCaption(std::string_view verb, const std::string& position,
                            const std::string& count) {
    return std::string(verb) + " file " + position + " of " + count + "...";
}

void showListProgress(platform::FileSystem& files, const std::string& progressFile,
                      ui::Memo& buffer, ui::Label& label, std::string_view verb) {
    if (!files.exists(progressFile))
        return;
    try {
        settings::loadLines(files, progressFile, buffer.lines());
        buffer.linesChanged();
    } catch (const Exception&) {
        // Being written: the caption comes from what the buffer held before.
    }
    label.setCaption(
        progressCaption(verb, buffer.lines().numberedLine(1), buffer.lines().numberedLine(2)));
    files.deleteFile(progressFile);
}

} // namespace korimba::lists
