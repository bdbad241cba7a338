#pragma once
// What Message.exe says for the arguments a job script gives it. Portable and
// header-only, so the native unit tests compile it without the Windows side.
//   E <shortInput> <shortOutput>   single-file encode (output may be empty)
//   D <shortInput> <shortOutput>   single-file decode
//   L X <folder>                   list encode or decode
#include "jobs/PathRules.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korimba::message {

// The long form of an existing file or folder; nullopt when it cannot be found.
using LongNameLookup = std::function<std::optional<std::string>(const std::string&)>;

struct Notice {
    std::string text;   // lines separated by CR LF
    std::string folder; // folder to offer for opening; empty when none is known
};

// The longest name shown whole; a window has room for a few lines of this.
inline constexpr std::size_t kLongestShownName = 260;

namespace detail {

// A text longer than the limit keeps its beginning and its end around "...",
// cut between characters only (a double-byte character stays whole).
inline std::string elided(const std::string& text, std::size_t limit,
                          const paths::CodePage& codePage) {
    if (text.size() <= limit)
        return text;
    const std::size_t half = (limit - 3) / 2;
    std::size_t headEnd = 0;
    std::size_t tailStart = text.size();
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = codePage.isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
        if (i + width <= half)
            headEnd = i + width;
        if (tailStart == text.size() && i >= text.size() - half)
            tailStart = i;
        i += width;
    }
    return text.substr(0, headEnd) + "..." + text.substr(tailStart);
}

inline std::string argumentAt(const std::vector<std::string>& arguments, size_t index) {
    return index < arguments.size() ? arguments[index] : std::string();
}

inline std::string describe(const std::string& path, const LongNameLookup& lookup,
                            const paths::CodePage& codePage) {
    if (path.empty())
        return "not known";
    if (const auto found = lookup(path))
        return elided(*found, kLongestShownName, codePage);
    return elided(path, kLongestShownName, codePage) + " (not found)";
}

inline Notice fileJobNotice(const std::string& heading, const std::vector<std::string>& arguments,
                            const LongNameLookup& lookup, const paths::CodePage& codePage) {
    const std::string output = argumentAt(arguments, 2);
    Notice notice;
    notice.text = heading +
                  "\r\n\r\nInput: " + describe(argumentAt(arguments, 1), lookup, codePage) +
                  "\r\nOutput: " + describe(output, lookup, codePage);
    // The output's folder can exist even when the output itself is missing.
    const std::string folder = paths::folderPart(output, codePage);
    if (!folder.empty())
        notice.folder = lookup(folder).value_or("");
    return notice;
}

inline Notice listJobNotice(const std::vector<std::string>& arguments, const LongNameLookup& lookup,
                            const paths::CodePage& codePage) {
    // The folder comes as the user typed it, long already; only its existence matters.
    const std::string folder = argumentAt(arguments, 2);
    Notice notice;
    notice.text = "List process finished.\r\n\r\nOutput folder: ";
    if (folder.empty()) {
        notice.text += "not known";
    } else if (lookup(folder)) {
        notice.text += elided(folder, kLongestShownName, codePage);
        notice.folder = folder;
    } else {
        notice.text += elided(folder, kLongestShownName, codePage) + " (not found)";
    }
    return notice;
}

} // namespace detail

// arguments: the command-line arguments after the program name. Folders are
// split by the program's path rules, which know the double-byte code pages.
inline Notice composeNotice(const std::vector<std::string>& arguments, const LongNameLookup& lookup,
                            const paths::CodePage& codePage = {}) {
    const std::string letter = detail::argumentAt(arguments, 0);
    if (letter == "E" || letter == "e")
        return detail::fileJobNotice("Encoding finished.", arguments, lookup, codePage);
    if (letter == "D" || letter == "d")
        return detail::fileJobNotice("Decoding finished.", arguments, lookup, codePage);
    if (letter == "L" || letter == "l")
        return detail::listJobNotice(arguments, lookup, codePage);
    return {"A Korimba job has finished.", ""};
}

} // namespace korimba::message
