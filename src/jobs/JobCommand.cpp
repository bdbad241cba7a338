#include "jobs/JobCommand.h"

#include "platform/Platform.h"

namespace korimba::jobs {

namespace {

std::string outputExample(std::string_view type) {
    return "(ie. 'C:\\Folder\\Filename." + std::string(type) + "').";
}

// The first `count` characters. In UTF-8 a character is a code point; in the
// legacy code pages a byte, a double-byte character kept whole within them.
std::string leadingCharacters(const std::string& text, std::size_t count,
                              const text::CodePage& codePage) {
    const bool utf8 = codePage.isUtf8();
    std::size_t end = 0;
    for (std::size_t taken = 0; end < text.size();) {
        const std::size_t width = codePage.characterLength(text, end);
        const std::size_t cost = utf8 ? 1 : width;
        if (taken + cost > count)
            break;
        taken += cost;
        end += width;
    }
    return text.substr(0, end);
}

constexpr std::size_t kCaptionNameLength = 12;

} // namespace

FieldChecks checkFields(const std::string& input, const std::string& output,
                        std::string_view inputType, std::string_view outputType,
                        const text::CodePage& codePage) {
    FieldChecks checks;
    // Cut, such a name would be another file's.
    for (const std::string* name : {&input, &output})
        if (!paths::fitsWindows(*name, codePage)) {
            checks.messages.push_back(paths::tooLongMessage(*name));
            checks.endNow = true;
        }
    if (checks.endNow)
        return checks;
    const std::string outputName = paths::fileNamePart(output, codePage);
    const std::string enterOutput = "Please enter an output file " + outputExample(outputType);
    if (outputName.empty()) {
        checks.messages.push_back(enterOutput);
        checks.endNow = true;
        return checks;
    }
    if (outputName.front() == '.')
        checks.messages.push_back(enterOutput);
    if (output == outputName)
        checks.messages.push_back(
            "You cannot only enter an output file. Please enter a full path " +
            outputExample(outputType));
    if (input == paths::fileNamePart(input, codePage))
        checks.messages.push_back("You cannot only enter an input file. Please enter a full path " +
                                  outputExample(inputType));
    return checks;
}

std::string statusCaption(std::string_view verb, const std::string& input,
                          const text::CodePage& codePage) {
    const std::string name = paths::fileNamePart(input, codePage);
    // A name of fewer than twelve characters is shown whole.
    if (leadingCharacters(name, kCaptionNameLength - 1, codePage) == name)
        return std::string(verb) + " " + name;
    return std::string(verb) + " " + leadingCharacters(name, kCaptionNameLength, codePage) +
           "...";
}

std::string statusHint(std::string_view verb, const std::string& input, const std::string& output,
                       const text::CodePage& codePage) {
    return std::string(verb) + " " + paths::fileNamePart(input, codePage) + " to " + output;
}

int launchShowCommand(WindowMode mode, bool viewCoding) {
    if (!viewCoding)
        return platform::SwHide;
    switch (mode) {
    case WindowMode::Minimized:
        return platform::SwMinimize;
    case WindowMode::Normal:
        return platform::SwShow;
    case WindowMode::Maximized:
        return platform::SwShowMaximized;
    }
    return platform::SwHide;
}

} // namespace korimba::jobs
