#include "Samples.h"

#include "AudioError.h"
#include "Note.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace korimba::audio {

namespace {

// G.711 expansions to 16-bit linear.
std::int16_t expandMuLaw(std::uint8_t code) {
    code = static_cast<std::uint8_t>(~code);
    const int exponent = (code >> 4) & 7;
    const int magnitude = (((code & 0x0F) << 3) + 0x84) << exponent;
    return static_cast<std::int16_t>(code & 0x80 ? 0x84 - magnitude : magnitude - 0x84);
}

std::int16_t expandALaw(std::uint8_t code) {
    code ^= 0x55;
    const int exponent = (code >> 4) & 7;
    int magnitude = (code & 0x0F) << 4;
    magnitude = exponent == 0 ? magnitude + 8 : (magnitude + 0x108) << (exponent - 1);
    return static_cast<std::int16_t>(code & 0x80 ? magnitude : -magnitude);
}

float clip(float value) {
    if (std::isnan(value))
        return 0.0f;
    return std::clamp(value, -1.0f, 1.0f);
}

// The stored bytes of one integer sample, most significant first, sign-extended.
std::int32_t storedInteger(const std::uint8_t* p, int bytes, bool bigEndian) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | p[bigEndian ? i : bytes - 1 - i];
    const int unused = 32 - 8 * bytes;
    return static_cast<std::int32_t>(value << unused) >> unused;
}

template <typename Float> Float storedFloat(const std::uint8_t* p, bool bigEndian) {
    std::uint8_t ordered[sizeof(Float)];
    for (std::size_t i = 0; i < sizeof(Float); ++i)
        ordered[i] = p[bigEndian ? sizeof(Float) - 1 - i : i];
    Float value;
    std::memcpy(&value, ordered, sizeof value);
    return value;
}

} // namespace

void samplesToFloat(const SampleFormat& format, const std::uint8_t* stored, std::size_t count,
                    float* out) {
    const int bytes = format.bytes;
    switch (format.coding) {
    case SampleCoding::Unsigned:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = (static_cast<int>(stored[i]) - 128) / 128.0f;
        return;
    case SampleCoding::Signed: {
        const float scale = 1.0f / static_cast<float>(1u << (8 * bytes - 1));
        if (bytes == 2 && !format.bigEndian) {
            for (std::size_t i = 0; i < count; ++i)
                out[i] = static_cast<std::int16_t>(littleEndian16(stored + 2 * i)) * scale;
            return;
        }
        for (std::size_t i = 0; i < count; ++i)
            out[i] =
                static_cast<float>(storedInteger(stored + i * bytes, bytes, format.bigEndian)) *
                scale;
        return;
    }
    case SampleCoding::Float:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = bytes == 4 ? clip(storedFloat<float>(stored + 4 * i, format.bigEndian))
                                : clip(static_cast<float>(
                                      storedFloat<double>(stored + 8 * i, format.bigEndian)));
        return;
    case SampleCoding::MuLaw:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = expandMuLaw(stored[i]) / 32768.0f;
        return;
    case SampleCoding::ALaw:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = expandALaw(stored[i]) / 32768.0f;
        return;
    }
}

SampleReader::SampleReader(InputStream& input, const AudioStream& stream)
    : input_(input), stream_(stream), framesLeft_(stream.frames()) {
    input_.seek(stream_.dataOffset);
}

std::size_t SampleReader::read(float* out, std::size_t maxFrames) {
    const std::size_t frames =
        static_cast<std::size_t>(std::min<std::uint64_t>(maxFrames, framesLeft_));
    if (frames == 0)
        return 0;
    buffer_.resize(frames * stream_.frameBytes());
    // The parsers checked the data against the file's size; a file that
    // shrinks meanwhile still ends here with a message.
    readExactly(input_, buffer_.data(), buffer_.size());
    samplesToFloat(stream_.sample, buffer_.data(), frames * stream_.channels, out);
    framesLeft_ -= frames;
    return frames;
}

void settleLength(AudioStream& stream) {
    if (stream.length == DataLength::EndedEarly) {
        if (stream.frames() == 0)
            throw AudioError("the " + stream.container +
                             " file is truncated: it ends before its audio data");
        if (stream.statedBytes / stream.frameBytes() == stream.frames())
            stream.length = DataLength::AsStated;
    } else if (stream.length == DataLength::Unstated && stream.frames() == 0) {
        stream.length = DataLength::AsStated;
        stream.dataBytes = 0;
    }
}

std::optional<std::string> lengthWarning(const AudioStream& stream) {
    switch (stream.length) {
    case DataLength::AsStated:
        break;
    case DataLength::EndedEarly:
        return endedEarlyText(stream.container, stream.frames(),
                              stream.statedBytes / stream.frameBytes(), stream.sampleRate);
    case DataLength::Unstated:
        return "the " + stream.container + " file's header states no length for its audio: " +
               secondsText(stream.frames(), stream.sampleRate, true) +
               " s coded, to the end of the file";
    }
    return std::nullopt;
}

void checkChannelsAndRate(long long channels, long long sampleRate) {
    if (channels < 1)
        throw AudioError("the file states no audio channels");
    if (channels > 2)
        throw AudioError("the file has " + std::to_string(channels) +
                         " channels; only mono and stereo can be encoded");
    if (sampleRate < 1 || sampleRate > 1000000)
        throw AudioError("the file states an impossible sample rate of " +
                         std::to_string(sampleRate) + " Hz");
}

} // namespace korimba::audio
