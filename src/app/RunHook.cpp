#include "app/RunHook.h"

#include <string_view>
#include <vector>

namespace korimba::hook {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

// The comma-separated elements, empty ones included, so that joining them
// again with commas gives back the value byte for byte.
std::vector<std::string_view> elements(std::string_view run) {
    std::vector<std::string_view> result;
    size_t start = 0;
    while (true) {
        const size_t comma = run.find(',', start);
        if (comma == std::string_view::npos) {
            result.push_back(run.substr(start));
            return result;
        }
        result.push_back(run.substr(start, comma - start));
        start = comma + 1;
    }
}

} // namespace

bool holdsHook(const std::string& run, const std::string& hook) {
    if (hook.empty())
        return false;
    for (std::string_view element : elements(run)) {
        if (equalsIgnoringCase(element, hook))
            return true;
    }
    return false;
}

std::string withHook(const std::string& run, const std::string& hook) {
    if (hook.empty() || holdsHook(run, hook))
        return run;
    if (run.empty())
        return hook;
    return run + "," + hook;
}

std::string withoutHook(const std::string& run, const std::string& hook) {
    if (!holdsHook(run, hook))
        return run;
    std::string result;
    bool first = true;
    for (std::string_view element : elements(run)) {
        if (equalsIgnoringCase(element, hook))
            continue;
        if (!first)
            result += ',';
        result += element;
        first = false;
    }
    return result;
}

} // namespace korimba::hook
