#pragma once
// What Message.exe says for the arguments a job script gives it. Portable and
// header-only, so the native unit tests compile it without the Windows side.
//   E <shortInput> <shortOutput>   single-file encode (output may be empty)
//   D <shortInput> <shortOutput>   single-file decode
//   L X <folder>                   list encode or decode
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

namespace detail {

inline std::string argumentAt(const std::vector<std::string>& arguments, size_t index) {
    return index < arguments.size() ? arguments[index] : std::string();
}

// The folder part with its backslash, or "" when the path names no folder.
inline std::string folderPart(const std::string& path) {
    const size_t backslash = path.rfind('\\');
    return backslash == std::string::npos ? std::string() : path.substr(0, backslash + 1);
}

inline std::string describe(const std::string& path, const LongNameLookup& lookup) {
    if (path.empty())
        return "not known";
    return lookup(path).value_or(path + " (not found)");
}

inline Notice fileJobNotice(const std::string& heading, const std::vector<std::string>& arguments,
                            const LongNameLookup& lookup) {
    const std::string output = argumentAt(arguments, 2);
    Notice notice;
    notice.text = heading + "\r\n\r\nInput: " + describe(argumentAt(arguments, 1), lookup) +
                  "\r\nOutput: " + describe(output, lookup);
    // The output's folder can exist even when the output itself is missing.
    const std::string folder = folderPart(output);
    if (!folder.empty())
        notice.folder = lookup(folder).value_or("");
    return notice;
}

inline Notice listJobNotice(const std::vector<std::string>& arguments,
                            const LongNameLookup& lookup) {
    // The folder comes as the user typed it, long already; only its existence matters.
    const std::string folder = argumentAt(arguments, 2);
    Notice notice;
    notice.text = "List process finished.\r\n\r\nOutput folder: ";
    if (folder.empty()) {
        notice.text += "not known";
    } else if (lookup(folder)) {
        notice.text += folder;
        notice.folder = folder;
    } else {
        notice.text += folder + " (not found)";
    }
    return notice;
}

} // namespace detail

// arguments: the command-line arguments after the program name.
inline Notice composeNotice(const std::vector<std::string>& arguments,
                            const LongNameLookup& lookup) {
    const std::string letter = detail::argumentAt(arguments, 0);
    if (letter == "E" || letter == "e")
        return detail::fileJobNotice("Encoding finished.", arguments, lookup);
    if (letter == "D" || letter == "d")
        return detail::fileJobNotice("Decoding finished.", arguments, lookup);
    if (letter == "L" || letter == "l")
        return detail::listJobNotice(arguments, lookup);
    return {"A Korimba job has finished.", ""};
}

} // namespace korimba::message
