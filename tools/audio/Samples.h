#pragma once
// What an audio file holds and how its samples become floats for the encoder.
#include "Streams.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korimba::audio {

enum class SampleCoding { Unsigned, Signed, Float, MuLaw, ALaw };

struct SampleFormat {
    SampleCoding coding = SampleCoding::Signed;
    int bytes = 2; // per sample, as stored
    bool bigEndian = false;
    bool operator==(const SampleFormat&) const = default;
};

// How the data's length came about when it is not simply what the header states.
enum class DataLength {
    AsStated,   // or "to the end of the file", which pipe writers state
    EndedEarly, // the file ends before the length the header states
    Unstated,   // the header states none (a recorder that never came back to it)
};

struct AudioStream {
    std::string container; // "WAV" or "SND", for messages
    SampleFormat sample;
    int channels = 0;
    int sampleRate = 0;
    std::uint64_t dataOffset = 0;
    std::uint64_t dataBytes = 0; // what the file holds, as far as it goes
    DataLength length = DataLength::AsStated;
    std::uint64_t statedBytes = 0; // what the header promised, for EndedEarly

    std::size_t frameBytes() const { return static_cast<std::size_t>(sample.bytes) * channels; }
    // A partly stored last frame does not count.
    std::uint64_t frames() const { return dataBytes / frameBytes(); }
};

// What the coder's note says of a stream coded as far as it goes, as
// "the WAV file ended early: 1.2 s of 5.0 s coded"; none for a whole one.
std::optional<std::string> lengthWarning(const AudioStream& stream);

// Converts count stored samples to floats in -1..1. Values a float file holds
// beyond that range, infinities and NaNs included, are clipped to it.
void samplesToFloat(const SampleFormat& format, const std::uint8_t* stored, std::size_t count,
                    float* out);

// Reads the frames of a stream in blocks, as interleaved floats.
class SampleReader {
public:
    SampleReader(InputStream& input, const AudioStream& stream);
    // Up to maxFrames frames into out (maxFrames * channels floats); 0 at the end.
    std::size_t read(float* out, std::size_t maxFrames);

private:
    InputStream& input_;
    AudioStream stream_;
    std::uint64_t framesLeft_;
    std::vector<std::uint8_t> buffer_;
};

// The parsers' last word on a stream's length, once its format is known: a
// file that ended early with not one whole frame left holds no audio and is
// refused; one that lacks only part of a frame counts as whole; an unstated
// length that leaves no whole frame is an empty stream, as stated.
void settleLength(AudioStream& stream);

// Checks the channel count and rate every container shares.
void checkChannelsAndRate(long long channels, long long sampleRate);

} // namespace korimba::audio
