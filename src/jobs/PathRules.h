#pragma once
// Textual rules for path names and the conversions between long and short
// forms. Paths are ANSI code page bytes; nothing here resolves ".", ".." or
// letter case, and nothing keeps state.
#include "platform/Platform.h"
#include "text/CodePage.h"

#include <string>
#include <string_view>

namespace korimba::paths {

// --- Parts of a path ("\" and ":" separate) ---

// Everything after the last separator; the whole path when it has none.
std::string fileNamePart(const std::string& path, const text::CodePage& codePage = {});
// Everything up to and including the last separator; "" when it has none.
std::string folderPart(const std::string& path, const text::CodePage& codePage = {});
// The folder part without its final "\", unless that "\" makes a root (C:\, \,
// or the start of a network path \\).
std::string folderWithoutTrailingBackslash(const std::string& path,
                                           const text::CodePage& codePage = {});
// "C:" for a drive letter, "\\server\share" for a network path, else "".
std::string drivePart(const std::string& path, const text::CodePage& codePage = {});
// From the last "." after the last separator, the "." included; "" when none.
std::string extension(const std::string& path, const text::CodePage& codePage = {});
// The name without its last four bytes (a "." and three letters assumed);
// "" for a shorter name.
std::string nameWithoutLastFour(const std::string& name);

// Case folding of the ASCII letters only, for the exact comparisons of the
// file-type tests.
std::string upperAscii(std::string text);
std::string lowerAscii(std::string text);

// --- File types ---

// The input field enables Encode for a wave or sound file...
bool isEncodableInput(const std::string& path, const text::CodePage& codePage = {});
// ...and Decode for an MP3 file.
bool isDecodableInput(const std::string& path, const text::CodePage& codePage = {});
// Files dropped on the main window: wave or MP3 only.
bool isDroppableType(const std::string& path, const text::CodePage& codePage = {});

// The most characters (UTF-16 units) Windows allows in a path: MAX_PATH less its NUL.
inline constexpr std::size_t kMaxPathCharacters = 259;
// Whether Windows allows the path's length, counted in its characters, not bytes:
// in UTF-8 a path it allows takes up to three times as many bytes.
bool fitsWindows(const std::string& path, const text::CodePage& codePage = {});
// "This name is longer than Windows allows (259 characters):" and the name.
std::string tooLongMessage(const std::string& path);
// Why a dropped file is not taken ("" when it is): a name too long, or not a wave or MP3.
std::string dropRefusal(const std::string& path, const text::CodePage& codePage = {});
// The extension appended to an output without one, chosen by the input's
// type: ".mp3" for a wave input, ".wav" for an MP3 input, else "".
std::string completionExtension(const std::string& inputPath, const text::CodePage& codePage = {});

inline constexpr std::string_view kBrowseFilter = "*.wav;*.snd;*.mp3";

// --- Long and short forms ---

// The longest short form the program accepts (a MAX_PATH buffer less its NUL).
inline constexpr std::size_t kMaxShortPathLength = 259;

// The short 8.3 form of an existing file or folder, keeping a trailing "\";
// "" when the path does not exist or its short form would be too long.
std::string ShortPath(const platform::FileSystem& files, const std::string& path);

// The long form of a whole path, component by component, keeping the drive as
// typed; the path unchanged as soon as one component is not found.
std::string LongPath(const platform::FileSystem& files, const std::string& path,
                     const text::CodePage& codePage = {});

struct LongComponentResult {
    std::string converted;
    bool notFound = false;
};

// The long form of the last component of a path (wildcards take the first
// match); the candidate unchanged, with notFound set, when nothing matches.
LongComponentResult LongComponent(const platform::FileSystem& files, const std::string& candidate,
                                  const text::CodePage& codePage = {});

} // namespace korimba::paths
