#pragma once
// What both coders do around their own work: the command line read or its
// mistake shown with the usage (exit code 2); the output never the input; the
// result at the output only when complete; any failure one line on the
// console, exit code 1 and nothing at the output. Beside the output, the note
// OUT.err (see jobs/CoderNote.h) says why it failed, or warns of a result coded only as
// far as its input went; from the start until then it says that the coder
// did not finish.
#include "Files.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korimba::audio::win32 {

// Reads the input and writes the output; throws AudioError or OutputError.
// Returns a warning for an output that is whole but not all the input promised.
using Coding = std::function<std::optional<std::string>(FileInput& input, OutputFile& output)>;

// The exit code of one coding from inputPath to outputPath.
int runCoding(const char* program, const std::string& inputPath, const std::string& outputPath,
              const Coding& coding);

// The exit code of a coder's main: `run` gets the arguments after the program's
// name and may throw AudioError for a command line it cannot use; its note is
// written where the line names an output nonetheless.
int coderMain(const char* program, const std::string& usage, int argc, char** argv,
              const std::function<int(const std::vector<std::string>&)>& run);

} // namespace korimba::audio::win32
