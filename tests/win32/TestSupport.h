#pragma once
// Helpers of the tests that run real Win32 programs and files under Wine.
#include <string>

namespace korimba::support {

// A file next to the running test program (the cross build puts every program there).
std::string besideThisProgram(const std::string& name);
// GetShortPathNameA, "" when there is none.
std::string shortPath(const std::string& path);
// A new, empty folder "<temp>\<name> <pid>" without a trailing backslash.
std::string freshTempFolder(const std::string& name);
// Deletes a folder with everything in it, read-only files too.
void removeTree(const std::string& folder);

} // namespace korimba::support
