#pragma once
// The command lines by which the job scripts start the programs outside
// Korimba: the encoder, the decoder and the completion program.
#include <array>
#include <string>

namespace korimba::jobs {

// A double-quote character, the text and a double-quote character.
std::string quoted(const std::string& text);

// "-br <rate>" for an index of the bit-rate list (0 to 9); "" for no selection.
std::string bitRateSwitch(int itemIndex);
inline constexpr const char* kQualitySwitch = "-hq";
inline constexpr const char* kMonoSwitch = "-dm";
inline constexpr const char* kWaveSwitch = "-wav";

struct CoderSwitches {
    bool highQuality = false;
    bool mono = false;
};

// The three switch places of a coder call: the main switch ("-br 128000" or
// "-wav"), then the quality and the mono switch, each possibly empty.
using SwitchPlaces = std::array<std::string, 3>;
SwitchPlaces encoderSwitches(int bitRateIndex, CoderSwitches switches);
SwitchPlaces decoderSwitches(CoderSwitches switches = {});

// tool, input, temporary output and the three switch places, each after one
// blank, and a closing blank: an empty switch keeps its place.
std::string coderCall(const std::string& tool, const std::string& input,
                      const std::string& temporaryOutput, const SwitchPlaces& switches);

// tool, input, temporary output, then the switches, each after one blank and
// with a closing blank; an absent switch keeps its place as an empty one.
std::string encoderCall(const std::string& shortEncoder, const std::string& shortInput,
                        const std::string& temporaryOutput, int bitRateIndex,
                        CoderSwitches switches);
// Single-file decodes pass no quality or mono switch: "-wav" and three blanks.
std::string decoderCall(const std::string& shortDecoder, const std::string& shortInput,
                        const std::string& temporaryOutput, CoderSwitches switches = {});

// The completion program, in the program folder.
inline constexpr const char* kNoticeProgram = "Message.exe";

// "start <SP>Message.exe E|D <short input> <output>": the direction's letter;
// the output by its short name when it exists, else by its long one quoted, so
// that the notice can name it.
std::string messageCall(const std::string& shortProgramFolder, const char* directionLetter,
                        const std::string& shortInput, const std::string& output);
// "start <SP>Message.exe L E|D "<output folder>"": the letter is the direction,
// whose notes alone the notice reads.
std::string listMessageCall(const std::string& shortProgramFolder, const char* directionLetter,
                            const std::string& outputFolder);

} // namespace korimba::jobs
