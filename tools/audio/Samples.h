#pragma once
// What an audio file holds and how its samples become floats for the encoder.
#include "Streams.h"

#include <cstddef>
#include <cstdint>
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

struct AudioStream {
    std::string container; // "WAV" or "SND", for messages
    SampleFormat sample;
    int channels = 0;
    int sampleRate = 0;
    std::uint64_t dataOffset = 0;
    std::uint64_t dataBytes = 0;

    std::size_t frameBytes() const { return static_cast<std::size_t>(sample.bytes) * channels; }
    // A partly stored last frame does not count.
    std::uint64_t frames() const { return dataBytes / frameBytes(); }
};

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

// Checks the channel count and rate every container shares.
void checkChannelsAndRate(long long channels, long long sampleRate);

} // namespace korimba::audio
