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

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte < 0x80                   ? 1
                                   : byte >= 0xC2 && byte <= 0xDF ? 2
                                   : byte >= 0xE0 && byte <= 0xEF ? 3
                                   : byte >= 0xF0 && byte <= 0xF4 ? 4
                                                                  : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = i + 1; k < i + length; ++k)
            if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80)
                return false;
        // Overlong forms, surrogates and code points beyond U+10FFFF.
        const auto second = static_cast<unsigned char>(length > 1 ? text[i + 1] : 0);
        if ((byte == 0xE0 && second < 0xA0) || (byte == 0xED && second >= 0xA0) ||
            (byte == 0xF0 && second < 0x90) || (byte == 0xF4 && second >= 0x90))
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
