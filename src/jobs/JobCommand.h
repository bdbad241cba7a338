#pragma once
// The rules of a job command that turn values into messages, captions and a
// show command; the command itself gathers the values and acts on the result.
#include "jobs/PathRules.h"

#include <string>
#include <string_view>
#include <vector>

namespace korimba::jobs {

// What the field checks of a single-file job found, in check order.
struct FieldChecks {
    std::vector<std::string> messages;
    bool endNow = false; // the output names no file: nothing after the first message
};

// inputType and outputType are the example extensions of the messages, such
// as "wav" and "mp3" for encoding.
FieldChecks checkFields(const std::string& input, const std::string& output,
                        std::string_view inputType, std::string_view outputType,
                        const text::CodePage& codePage = {});

// The status label while the job runs: "Encoding " and the input's name, cut
// after 12 characters with "..."; its hint names the input and the output.
std::string statusCaption(std::string_view verb, const std::string& input,
                          const text::CodePage& codePage = {});
std::string statusHint(std::string_view verb, const std::string& input, const std::string& output,
                       const text::CodePage& codePage = {});

// The window mode of a visible coding window (the preferences' radio buttons).
enum class WindowMode { Minimized, Normal, Maximized };
// The show command for the script's window; hidden unless "View coding" is on.
int launchShowCommand(WindowMode mode, bool viewCoding);

} // namespace korimba::jobs
