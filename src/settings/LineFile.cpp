#include "settings/LineFile.h"

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

void saveLines(platform::FileSystem& files, const std::string& path, const TextLines& lines) {
    if (!files.writeFile(path, lines.text())) {
        throw fileCreateError(path);
    }
}

} // namespace korimba::settings
