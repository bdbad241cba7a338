#include "settings/LineFile.h"

#include "jobs/PathRules.h"
#include "platform/Exception.h"

namespace korimba::settings {

void loadLines(const platform::FileSystem& files, const std::string& path, TextLines& lines) {
    const auto content = files.readFile(path);
    if (!content) {
        throw fileOpenError(path);
    }
    lines.setText(*content);
}

bool loadLinesIfExists(const platform::FileSystem& files, const std::string& path,
                       TextLines& lines) {
    if (!files.exists(path)) {
        return false;
    }
    loadLines(files, path, lines);
    return true;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = paths::utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

void fromLegacyLines(const platform::Process& process, TextLines& lines) {
    if (!process.usesUtf8())
        return;
    std::vector<std::string> read;
    for (const std::string& line : lines.lines())
        read.push_back(isValidUtf8(line) ? line : process.fromLegacyAnsi(line));
    lines = TextLines(std::move(read));
}

void saveLines(platform::FileSystem& files, const std::string& path, const TextLines& lines) {
    if (!files.writeFile(path, lines.text())) {
        throw fileCreateError(path);
    }
}

} // namespace korimba::settings
