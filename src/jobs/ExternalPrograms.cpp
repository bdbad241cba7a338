#include "jobs/ExternalPrograms.h"

#include <array>

namespace korimba::jobs {

namespace {

constexpr std::array<const char*, 10> kBitRates = {"8000",  "16000", "24000",  "32000",  "56000",
                                                   "64000", "96000", "112000", "128000", "256000"};

SwitchPlaces withOptionalSwitches(std::string mainSwitch, CoderSwitches switches) {
    return {std::move(mainSwitch), switches.highQuality ? kQualitySwitch : "",
            switches.mono ? kMonoSwitch : ""};
}

} // namespace

SwitchPlaces encoderSwitches(int bitRateIndex, CoderSwitches switches) {
    return withOptionalSwitches(bitRateSwitch(bitRateIndex), switches);
}

SwitchPlaces decoderSwitches(CoderSwitches switches) {
    return withOptionalSwitches(kWaveSwitch, switches);
}

std::string coderCall(const std::string& tool, const std::string& input,
                      const std::string& temporaryOutput, const SwitchPlaces& switches) {
    std::string call = tool + " " + input + " " + temporaryOutput;
    for (const std::string& place : switches)
        call += " " + place;
    return call + " ";
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string bitRateSwitch(int itemIndex) {
    if (itemIndex < 0 || itemIndex >= static_cast<int>(kBitRates.size()))
        return {};
    return std::string("-br ") + kBitRates[static_cast<std::size_t>(itemIndex)];
}

std::string encoderCall(const std::string& shortEncoder, const std::string& shortInput,
                        const std::string& temporaryOutput, int bitRateIndex,
                        CoderSwitches switches) {
    return coderCall(shortEncoder, shortInput, temporaryOutput,
                     encoderSwitches(bitRateIndex, switches));
}

std::string decoderCall(const std::string& shortDecoder, const std::string& shortInput,
                        const std::string& temporaryOutput, CoderSwitches switches) {
    return coderCall(shortDecoder, shortInput, temporaryOutput, decoderSwitches(switches));
}

std::string messageCall(const std::string& shortProgramFolder, const char* directionLetter,
                        const std::string& shortInput, const std::string& output) {
    return "start " + shortProgramFolder + kNoticeProgram + " " + directionLetter + " " +
           shortInput + " " + output;
}

std::string listMessageCall(const std::string& shortProgramFolder, const char* directionLetter,
                            const std::string& outputFolder) {
    return "start " + shortProgramFolder + kNoticeProgram + " L " + directionLetter + " " +
           quoted(outputFolder);
}

} // namespace korimba::jobs
