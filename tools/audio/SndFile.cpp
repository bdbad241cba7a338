#include "SndFile.h"

#include "AudioError.h"

#include <cstring>
#include <string>

namespace korimba::audio {

namespace {

const std::uint32_t unknownSndSize = 0xFFFFFFFFu;

SampleFormat sndSampleFormat(std::uint32_t encoding) {
    switch (encoding) {
    case 1:
        return {SampleCoding::MuLaw, 1, true};
    case 2:
        return {SampleCoding::Signed, 1, true};
    case 3:
        return {SampleCoding::Signed, 2, true};
    case 4:
        return {SampleCoding::Signed, 3, true};
    case 5:
        return {SampleCoding::Signed, 4, true};
    case 6:
        return {SampleCoding::Float, 4, true};
    case 7:
        return {SampleCoding::Float, 8, true};
    case 27:
        return {SampleCoding::ALaw, 1, true};
    }
    throw AudioError("the SND file is coded as encoding " + std::to_string(encoding) +
                     ", which cannot be read; only mu-law, A-law, linear and floating point can");
}

} // namespace

AudioStream readSnd(InputStream& input) {
    const std::uint64_t fileSize = input.size();
    std::uint8_t header[24];
    input.seek(0);
    readExactly(input, header, sizeof header);
    if (std::memcmp(header, ".snd", 4) != 0)
        throw AudioError("this is not a Sun/NeXT audio file");
    const std::uint32_t dataOffset = bigEndian32(header + 4);
    const std::uint32_t dataSize = bigEndian32(header + 8);
    const SampleFormat sample = sndSampleFormat(bigEndian32(header + 12));
    const std::uint32_t sampleRate = bigEndian32(header + 16);
    const std::uint32_t channels = bigEndian32(header + 20);
    if (dataOffset < sizeof header)
        throw AudioError("the SND file's header is damaged");
    checkChannelsAndRate(channels, sampleRate);
    if (dataOffset > fileSize)
        throw AudioError("the SND file is truncated in its header");
    const std::uint64_t available = fileSize - dataOffset;

    AudioStream stream;
    stream.container = "SND";
    stream.sample = sample;
    stream.channels = static_cast<int>(channels);
    stream.sampleRate = static_cast<int>(sampleRate);
    stream.dataOffset = dataOffset;
    stream.dataBytes = dataSize == unknownSndSize ? available : dataSize;
    if (dataSize != unknownSndSize && dataSize > available) {
        // Cut short: code what is there.
        stream.dataBytes = available;
        stream.length = DataLength::EndedEarly;
        stream.statedBytes = dataSize;
    }
    settleLength(stream);
    return stream;
}

} // namespace korimba::audio
