#include "InputFormat.h"

#include "AudioError.h"
#include "MpegFrames.h"
#include "SndFile.h"
#include "WavFile.h"

#include <cstring>
#include <string>

namespace korimba::audio {

namespace {

AudioStream readContainer(InputStream& input) {
    std::uint8_t magic[12] = {};
    input.seek(0);
    const std::size_t got = input.read(magic, sizeof magic);
    if (got == 0)
        throw AudioError("the file is empty");
    if (got >= 4 && std::memcmp(magic, "RIFF", 4) == 0 &&
        (got < 12 || std::memcmp(magic + 8, "WAVE", 4) == 0))
        return readWav(input);
    if (got >= 4 && std::memcmp(magic, ".snd", 4) == 0)
        return readSnd(input);
    if ((got >= 3 && std::memcmp(magic, "ID3", 3) == 0) || (got >= 4 && parseFrameHeader(magic)))
        throw AudioError("this is MPEG audio (MP3); only WAV and SND files can be encoded");
    throw AudioError("this is neither a WAV nor a SND audio file");
}

} // namespace

AudioStream readAudioHeader(InputStream& input) {
    AudioStream stream = readContainer(input);
    // LAME would stretch such a rate to 8000 Hz and more; a header that states
    // it is damaged rather than a recording of anything one could hear.
    if (stream.sampleRate < lowestEncodableRate)
        throw AudioError("the " + stream.container + " file states a sample rate of " +
                         std::to_string(stream.sampleRate) + " Hz, too low to encode (" +
                         std::to_string(lowestEncodableRate) + " Hz is the least)");
    return stream;
}

} // namespace korimba::audio
