#pragma once
// The coders' command lines, as the job scripts write them:
//   l3enc IN OUT -br BITRATE [-hq] [-dm]
//   l3dec IN OUT -wav [-hq] [-dm]
// Switches may come in any order and any case.
#include <optional>
#include <string>
#include <vector>

namespace korimba::audio {

struct EncoderArguments {
    std::string input;
    std::string output;
    int bitRate = 0; // bit/s
    bool highQuality = false;
    bool mono = false;
};

struct DecoderArguments {
    std::string input;
    std::string output;
    bool highQuality = false;
    bool mono = false;
};

// Both throw AudioError with a line that says what is wrong.
EncoderArguments parseEncoderArguments(const std::vector<std::string>& arguments);
DecoderArguments parseDecoderArguments(const std::vector<std::string>& arguments);

// The output a command line names, when it names one beyond doubt (exactly
// two files), even if the line is wrong otherwise; the value after -br is no file.
std::optional<std::string> outputArgument(const std::vector<std::string>& arguments);

extern const char encoderUsage[];
extern const char decoderUsage[];

} // namespace korimba::audio
