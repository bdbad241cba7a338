#pragma once
// RIFF WAVE files: the reader takes what users drop (chunks in any order, PCM,
// floating point, G.711, WAVE_FORMAT_EXTENSIBLE); the writer makes 16-bit PCM.
#include "Samples.h"
#include "Streams.h"

#include <array>
#include <cstdint>

namespace korimba::audio {

// Parses the chunks of a RIFF WAVE stream; throws AudioError for anything
// that cannot be read as mono or stereo samples. Audio data cut short, or of
// a length the header never stated, are read as far as they go (see
// AudioStream::length).
AudioStream readWav(InputStream& input);

// The largest data chunk a WAV file can hold: its sizes are 32-bit.
constexpr std::uint64_t maxWavDataBytes = 0xFFFFFFFFu - 36;

// The 44-byte header of a 16-bit PCM WAV file with dataBytes of samples.
// Throws when they would pass the format's 4 GiB limit.
std::array<std::uint8_t, 44> pcm16WavHeader(int channels, int sampleRate, std::uint64_t dataBytes);

} // namespace korimba::audio
