#include "Arguments.h"

#include "AudioError.h"

#include <algorithm>
#include <cctype>

namespace korimba::audio {

const char encoderUsage[] = "usage: l3enc IN OUT -br BITRATE [-hq] [-dm]";
const char decoderUsage[] = "usage: l3dec IN OUT -wav [-hq] [-dm]";

namespace {

// Every rate some MPEG version offers for layer III, in kbit/s.
const int layer3BitRates[] = {8,  16,  24,  32,  40,  48,  56,  64, 80,
                              96, 112, 128, 144, 160, 192, 224, 256};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isSwitch(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

int parseBitRate(const std::string& text) {
    const std::string rates = "8000 to 256000 bit/s, as 128000";
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        throw AudioError("-br needs a bit rate in bit/s (" + rates + ")");
    const long value = std::stol(text);
    if (value % 1000 != 0 || std::find(std::begin(layer3BitRates), std::end(layer3BitRates),
                                       value / 1000) == std::end(layer3BitRates))
        throw AudioError("MP3 offers no bit rate of " + text + " bit/s (" + rates + ")");
    return static_cast<int>(value);
}

void takeFiles(const std::vector<std::string>& files, std::string& input, std::string& output) {
    if (files.size() < 2)
        throw AudioError(files.empty() ? "no input and output file given" : "no output file given");
    if (files.size() > 2)
        throw AudioError("one input and one output file only, not '" + files[2] + "'");
    input = files[0];
    output = files[1];
}

} // namespace

EncoderArguments parseEncoderArguments(const std::vector<std::string>& arguments) {
    EncoderArguments result;
    std::vector<std::string> files;
    bool bitRateGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!isSwitch(argument)) {
            files.push_back(argument);
            continue;
        }
        const std::string name = lowerCase(argument);
        if (name == "-br") {
            if (i + 1 == arguments.size())
                throw AudioError("-br needs a bit rate in bit/s (8000 to 256000, as 128000)");
            result.bitRate = parseBitRate(arguments[++i]);
            bitRateGiven = true;
        } else if (name == "-hq") {
            result.highQuality = true;
        } else if (name == "-dm") {
            result.mono = true;
        } else {
            throw AudioError("unknown switch " + argument);
        }
    }
    takeFiles(files, result.input, result.output);
    if (!bitRateGiven)
        throw AudioError("no bit rate given (-br 128000, say)");
    return result;
}

DecoderArguments parseDecoderArguments(const std::vector<std::string>& arguments) {
    DecoderArguments result;
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        if (!isSwitch(argument)) {
            files.push_back(argument);
            continue;
        }
        const std::string name = lowerCase(argument);
        if (name == "-hq")
            result.highQuality = true;
        else if (name == "-dm")
            result.mono = true;
        else if (name != "-wav") // WAV is the only output there is
            throw AudioError("unknown switch " + argument);
    }
    takeFiles(files, result.input, result.output);
    return result;
}

std::optional<std::string> outputArgument(const std::vector<std::string>& arguments) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!isSwitch(arguments[i]))
            files.push_back(arguments[i]);
        else if (lowerCase(arguments[i]) == "-br")
            ++i;
    }
    if (files.size() != 2)
        return std::nullopt;
    return files[1];
}

} // namespace korimba::audio
