#include "lists/ListProgress.h"

#include "platform/Exception.h"
#include "settings/LineFile.h"

#include <cstdlib>

namespace korimba::lists {

std::string progressCaption(std::string_view verb, const std::string& position,
                            const std::string& count) {
    return std::string(verb) + " file " + position + " of " + count + "...";
}

void showListProgress(platform::FileSystem& files, const std::string& progressFile,
                      ui::Memo& buffer, ui::Label& label, std::string_view verb) {
    if (!files.exists(progressFile))
        return;
    ui::TextLines read;
    try {
        settings::loadLines(files, progressFile, read);
    } catch (const Exception&) {
        // Being written: the caption comes from what the buffer held before.
        read = buffer.lines();
    }
    // A file of fewer than two lines is caught between the script's two writes:
    // shown, it would read "file 2 of ..." or the count as the position. It
    // stays for the tick that finds it whole.
    if (read.count() < 2)
        return;
    // Entries coded at once start in any order: the caption never goes back.
    if (buffer.lines().count() >= 2 &&
        std::strtoul(read.numberedLine(1).c_str(), nullptr, 10) <
            std::strtoul(buffer.lines().numberedLine(1).c_str(), nullptr, 10)) {
        files.deleteFile(progressFile);
        return;
    }
    buffer.lines() = read;
    buffer.linesChanged();
    label.setCaption(
        progressCaption(verb, buffer.lines().numberedLine(1), buffer.lines().numberedLine(2)));
    files.deleteFile(progressFile);
}

} // namespace korimba::lists
