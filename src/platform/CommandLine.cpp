#include "platform/CommandLine.h"

namespace korimba::platform {

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> result;
    size_t i = 0;
    const size_t n = commandLine.size();
    while (true) {
        // Like the classic runtime, blanks and empty "" pairs between arguments are skipped.
        while (true) {
            while (i < n && commandLine[i] > '\0' && commandLine[i] <= ' ')
                ++i;
            if (i + 1 < n && commandLine[i] == '"' && commandLine[i + 1] == '"')
                i += 2;
            else
                break;
        }
        if (i >= n)
            break;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || static_cast<unsigned char>(commandLine[i]) > ' ')) {
            if (commandLine[i] == '"')
                quoted = !quoted;
            else
                argument += commandLine[i];
            ++i;
        }
        result.push_back(argument);
    }
    return result;
}

} // namespace korimba::platform
