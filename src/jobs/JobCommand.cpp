#include "jobs/JobCommand.h"

#include "platform/Platform.h"

namespace korimba::jobs {

namespace {

std::string outputExample(std::string_view type) {
    return "(ie. 'C:\\Folder\\Filename." + std::string(type) + "').";
}

// At most `limit` bytes from the start, a character of several bytes kept whole.
std::string leadingBytes(const std::string& text, std::size_t limit,
                         const paths::CodePage& codePage) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = codePage.characterLength(text, end);
        if (end + width > limit)
            break;
        end += width;
    }
    return text.substr(0, end);
}

constexpr std::size_t kCaptionNameLength = 12;

} // namespace

FieldChecks checkFields(const std::string& input, const std::string& output,
                        std::string_view inputType, std::string_view outputType,
                        const paths::CodePage& codePage) {
    FieldChecks checks;
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
                          const paths::CodePage& codePage) {
    const std::string name = paths::fileNamePart(input, codePage);
    if (name.size() < kCaptionNameLength)
        return std::string(verb) + " " + name;
    return std::string(verb) + " " + leadingBytes(name, kCaptionNameLength, codePage) + "...";
}

std::string statusHint(std::string_view verb, const std::string& input, const std::string& output,
                       const paths::CodePage& codePage) {
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
