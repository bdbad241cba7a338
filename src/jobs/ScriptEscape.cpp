#include "jobs/ScriptEscape.h"

#include <string_view>

namespace korimba::jobs {

namespace {

constexpr std::string_view kSpecialOutsideQuotes = "^&|<>";

void appendEscaped(std::string& result, const std::string& path, bool insideQuotes,
                   const text::CodePage& codePage) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (const std::size_t length = codePage.characterLength(path, i); length > 1) {
            result.append(path, i, length);
            i += length - 1;
            continue;
        }
        if (c == '%')
            result += '%';
        else if (!insideQuotes && kSpecialOutsideQuotes.find(c) != std::string_view::npos)
            result += '^';
        result += c;
    }
}

} // namespace

std::string escapeUnquoted(const std::string& path, const text::CodePage& codePage) {
    std::string result;
    appendEscaped(result, path, false, codePage);
    return result;
}

std::string escapeQuoted(const std::string& path, const text::CodePage& codePage) {
    std::string result;
    appendEscaped(result, path, true, codePage);
    return result;
}

std::string quotedPath(const std::string& path, const text::CodePage& codePage) {
    std::string result = "\"";
    appendEscaped(result, path, true, codePage);
    result += '"';
    return result;
}

} // namespace korimba::jobs
