#pragma once
#include <string>
#include <vector>

namespace korimba::platform {

// Splits a raw command line: blanks separate arguments; double quotes group
// blank-containing text and are removed. The first element is the program name.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

} // namespace korimba::platform
