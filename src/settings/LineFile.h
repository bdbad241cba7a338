#pragma once
// Line files: settings files read and written whole as numbered text lines.
#include "platform/Platform.h"
#include "ui/TextLines.h"

#include <string>
#include <string_view>

namespace korimba::settings {
using ui::TextLines;

// Replaces the lines with the file's text. A file that cannot be read, a
// missing one included, throws "Cannot open file <path>" and leaves the lines
// as they were; callers that treat a missing file as empty test for it first
// or use loadLinesIfExists.
void loadLines(const platform::FileSystem& files, const std::string& path, TextLines& lines);

// Loads the file when it exists and tells whether it did; otherwise the lines
// keep their content.
bool loadLinesIfExists(const platform::FileSystem& files, const std::string& path,
                       TextLines& lines);

// Settings files hold names, which an older version wrote in the system's
// legacy ANSI code page. When this process's code page is UTF-8, each line
// that is not valid UTF-8 is taken for such a line and converted.
void fromLegacyLines(const platform::TextEncoding& encoding, TextLines& lines);

// Replaces the file whole with the lines, CR LF after each; throws
// "Cannot create file <path>" when it cannot be written.
void saveLines(platform::FileSystem& files, const std::string& path, const TextLines& lines);

} // namespace korimba::settings
