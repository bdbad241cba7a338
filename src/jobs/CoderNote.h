#pragma once
// The note a coder leaves beside its output, OUT + ".err": lines in the ANSI
// code page, each ended by CR LF. The first says what happened: after a
// failure the reason only; beside a result that is whole but not all its
// input promised, "warning: " and what was wrong; from the coder's start until
// it knows better, that it has not finished. The second is the input as the
// coder was given it (a short name in the scripts), so that a reader can name
// the file as its user knows it. A plain success leaves no note.
//
// The coders write notes, and the program and its completion notice read
// them, all by this file: header-only, so that every program can have it.
#include <string>
#include <string_view>

namespace korimba::notes {

inline constexpr std::string_view kExtension = ".err";
inline constexpr std::string_view kWarningPrefix = "warning: ";
// What a note says from the coder's start: a coder ended from outside still
// leaves a reason.
inline constexpr const char* kUnfinished = "the coder stopped before it had finished";
// What a reader says for a note without words.
inline constexpr const char* kNoReason = "no reason given";

inline std::string path(const std::string& output) {
    return output + std::string(kExtension);
}

// One line of a note, as it is written and as it is read: a run of control
// characters (a system message's own line breaks, a tab) becomes one blank,
// and blanks and dots at the ends go, since readers end a line with words
// and punctuation of their own.
inline std::string tidy(std::string_view text) {
    std::string line;
    bool inControls = false;
    for (const char c : text) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        if (!control || !inControls)
            line.push_back(control ? ' ' : c);
        inControls = control;
    }
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(". ") + 1 - first);
}

inline std::string warning(const std::string& text) {
    return std::string(kWarningPrefix) + text;
}

// What a coder writes: what happened, then its input.
inline std::string content(const std::string& text, const std::string& input) {
    return tidy(text) + "\r\n" + tidy(input) + "\r\n";
}

struct Note {
    bool warning = false;
    std::string text;  // the reason or the warning, without the prefix; never empty
    std::string input; // the input the coder was given; "" when the note has none
};

// What a reader takes from a note's content (its first two lines are enough).
inline Note parse(std::string_view content) {
    const auto lineAt = [&](std::size_t start) {
        return start > content.size()
                   ? std::string_view()
                   : content.substr(start, content.find_first_of("\r\n", start) - start);
    };
    std::string_view first = lineAt(0);
    Note note;
    note.warning = first.substr(0, kWarningPrefix.size()) == kWarningPrefix;
    if (note.warning)
        first.remove_prefix(kWarningPrefix.size());
    note.text = tidy(first);
    if (note.text.empty())
        note.text = kNoReason;
    const std::size_t second = content.find("\r\n");
    if (second != std::string_view::npos)
        note.input = std::string(lineAt(second + 2));
    return note;
}

} // namespace korimba::notes
