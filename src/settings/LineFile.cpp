#include "settings/LineFile.h"

#include "jobs/PathRules.h"
#include "platform/Exception.h"
#include "text/CodePage.h"

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

void fromLegacyLines(const platform::TextEncoding& encoding, TextLines& lines) {
    if (!encoding.usesUtf8())
        return;
    std::vector<std::string> read;
    for (const std::string& line : lines.lines())
        read.push_back(text::isValidUtf8(line) ? line : encoding.fromLegacyAnsi(line));
    lines = TextLines(std::move(read));
}

void saveLines(platform::FileSystem& files, const std::string& path, const TextLines& lines) {
    if (!files.writeFile(path, lines.text())) {
        throw fileCreateError(path);
    }
}

} // namespace korimba::settings
