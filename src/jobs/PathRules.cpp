#include "jobs/PathRules.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace korimba::paths {

namespace {

constexpr std::string_view kSeparators = "\\:";
constexpr std::string_view kBackslash = "\\";

// Offsets of the bytes that are one of the delimiters standing as a character
// of their own, skipping the second byte of every double-byte character.
std::vector<std::size_t> delimiterPositions(const std::string& path, std::string_view delimiters,
                                            const text::CodePage& codePage) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < path.size(); i += codePage.characterLength(path, i))
        if (delimiters.find(path[i]) != std::string_view::npos)
            positions.push_back(i);
    return positions;
}

std::size_t lastDelimiter(const std::string& path, std::string_view delimiters,
                          const text::CodePage& codePage) {
    const auto positions = delimiterPositions(path, delimiters, codePage);
    return positions.empty() ? std::string::npos : positions.back();
}

bool endsWithBackslash(const std::string& path, const text::CodePage& codePage) {
    return !path.empty() && lastDelimiter(path, kBackslash, codePage) == path.size() - 1;
}

// Only the final "\" of a root: the first byte, or right after ":" or "\".
bool isRootBackslash(const std::vector<std::size_t>& separators) {
    const std::size_t last = separators.back();
    return last == 0 || (separators.size() > 1 && separators[separators.size() - 2] == last - 1);
}

// "\\server\share\rest" ends its drive at the fourth backslash.
std::string networkDrivePart(const std::string& path, const text::CodePage& codePage) {
    const auto backslashes = delimiterPositions(path, kBackslash, codePage);
    constexpr std::size_t kShareEnd = 3;
    return backslashes.size() > kShareEnd ? path.substr(0, backslashes[kShareEnd]) : path;
}

// The pieces of a path, each ending with its "\", the remainder last.
std::vector<std::string> piecesEndingWithBackslash(const std::string& path,
                                                   const text::CodePage& codePage) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (const std::size_t backslash : delimiterPositions(path, kBackslash, codePage)) {
        pieces.push_back(path.substr(start, backslash + 1 - start));
        start = backslash + 1;
    }
    if (start < path.size()) {
        pieces.push_back(path.substr(start));
    }
    return pieces;
}

template <std::size_t N>
bool isOneOf(const std::string& value, const std::array<std::string_view, N>& choices) {
    return std::find(choices.begin(), choices.end(), value) != choices.end();
}

struct Completion {
    std::string_view inputExtension; // folded to upper case
    std::string_view appended;
};

constexpr std::array<std::string_view, 2> kEncodableExtensions = {".wav", ".snd"};
constexpr std::array<std::string_view, 1> kDecodableExtensions = {".mp3"};
constexpr std::array<std::string_view, 2> kDroppableExtensions = {".WAV", ".MP3"};
constexpr std::array<Completion, 2> kCompletions = {{{".WAV", ".mp3"}, {".MP3", ".wav"}}};

} // namespace

std::string fileNamePart(const std::string& path, const text::CodePage& codePage) {
    const std::size_t last = lastDelimiter(path, kSeparators, codePage);
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string folderPart(const std::string& path, const text::CodePage& codePage) {
    const std::size_t last = lastDelimiter(path, kSeparators, codePage);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string folderWithoutTrailingBackslash(const std::string& path,
                                           const text::CodePage& codePage) {
    std::string folder = folderPart(path, codePage);
    const auto separators = delimiterPositions(folder, kSeparators, codePage);
    if (separators.empty() || folder[separators.back()] != '\\' || isRootBackslash(separators)) {
        return folder;
    }
    folder.pop_back();
    return folder;
}

std::string drivePart(const std::string& path, const text::CodePage& codePage) {
    if (path.size() >= 2 && path[1] == ':' && codePage.characterLength(path, 0) == 1) {
        return path.substr(0, 2);
    }
    if (path.starts_with("\\\\")) {
        return networkDrivePart(path, codePage);
    }
    return {};
}

std::string extension(const std::string& path, const text::CodePage& codePage) {
    const std::size_t last = lastDelimiter(path, ".\\:", codePage);
    return last != std::string::npos && path[last] == '.' ? path.substr(last) : std::string();
}

std::string nameWithoutLastFour(const std::string& name) {
    constexpr std::size_t kDotAndThreeLetters = 4;
    return name.size() < kDotAndThreeLetters ? std::string()
                                             : name.substr(0, name.size() - kDotAndThreeLetters);
}

std::string upperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool isEncodableInput(const std::string& path, const text::CodePage& codePage) {
    return isOneOf(lowerAscii(extension(path, codePage)), kEncodableExtensions);
}

bool isDecodableInput(const std::string& path, const text::CodePage& codePage) {
    return isOneOf(lowerAscii(extension(path, codePage)), kDecodableExtensions);
}

bool isDroppableType(const std::string& path, const text::CodePage& codePage) {
    return isOneOf(upperAscii(extension(path, codePage)), kDroppableExtensions);
}

bool fitsWindows(const std::string& path, const text::CodePage& codePage) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t length = codePage.characterLength(path, at);
        units += length == 4 ? 2 : 1; // beyond U+FFFF: a surrogate pair
        at += length;
    }
    return units <= kMaxPathCharacters;
}

std::string tooLongMessage(const std::string& path) {
    return "This name is longer than Windows allows (259 characters):\n" + path;
}

std::string dropRefusal(const std::string& path, const text::CodePage& codePage) {
    if (!fitsWindows(path, codePage))
        return tooLongMessage(path);
    if (!isDroppableType(path, codePage))
        return "You may only drop Wave (*.wav) or MP3 (*.mp3) files.";
    return {};
}

std::string completionExtension(const std::string& inputPath, const text::CodePage& codePage) {
    const std::string type = upperAscii(extension(inputPath, codePage));
    for (const Completion& completion : kCompletions) {
        if (type == completion.inputExtension) {
            return std::string(completion.appended);
        }
    }
    return {};
}

std::string ShortPath(const platform::FileSystem& files, const std::string& path) {
    std::string shortForm = files.shortPathName(path);
    return shortForm.size() <= kMaxShortPathLength ? shortForm : std::string();
}

std::string LongPath(const platform::FileSystem& files, const std::string& path,
                     const text::CodePage& codePage) {
    std::string prefix;
    for (const std::string& piece : piecesEndingWithBackslash(path, codePage)) {
        LongComponentResult component = LongComponent(files, prefix + piece, codePage);
        if (component.notFound) {
            return path;
        }
        prefix = std::move(component.converted);
    }
    return prefix;
}

LongComponentResult LongComponent(const platform::FileSystem& files, const std::string& candidate,
                                  const text::CodePage& codePage) {
    const bool hadBackslash = endsWithBackslash(candidate, codePage);
    const std::string searched =
        hadBackslash ? candidate.substr(0, candidate.size() - 1) : candidate;
    if (searched.size() <= drivePart(searched, codePage).size()) {
        return {candidate, false};
    }
    const auto found = files.findFirstName(searched);
    if (!found) {
        return {candidate, true};
    }
    return {folderPart(searched, codePage) + *found + (hadBackslash ? "\\" : ""), false};
}

} // namespace korimba::paths
