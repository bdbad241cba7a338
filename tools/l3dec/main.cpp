// l3dec.exe: decodes MPEG audio (MP3) to a 16-bit PCM WAV file with libmpg123,
// called by the decode scripts as
//   l3dec IN OUT -wav [-hq] [-dm]
// The WAV keeps the stream's sample rate and, by the LAME/Xing tag, its exact
// length: encoder delay and padding are cut. -dm mixes down to mono; -hq
// decodes in floating point and rounds to 16 bits with dither.
// A failure prints one line, exits with 1, leaves no file at OUT and its
// reason in OUT.err. A stream cut short is decoded as far as it goes, with a
// warning on the console and in OUT.err.
#include <windows.h>

#include "audio/Arguments.h"
#include "audio/AudioError.h"
#include "audio/MpegFrames.h"
#include "audio/Note.h"
#include "audio/Pcm16.h"
#include "audio/WavFile.h"
#include "audio/win32/CoderRun.h"
#include "audio/win32/Console.h"
#include "audio/win32/Files.h"

#include <mpg123.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace korimba::audio;

namespace {

const char program[] = "l3dec";
const std::size_t blockBytes = 64 * 1024;

// libmpg123 reads through the same file object as the format checks, so a
// name in the ANSI code page is opened the way every other file is.
ssize_t readInput(void* handle, void* buffer, size_t count) {
    try {
        return static_cast<ssize_t>(static_cast<win32::FileInput*>(handle)->read(buffer, count));
    } catch (const AudioError&) {
        return -1;
    }
}

off_t seekInput(void* handle, off_t offset, int whence) {
    auto* input = static_cast<win32::FileInput*>(handle);
    const long long base = whence == SEEK_SET   ? 0
                           : whence == SEEK_CUR ? static_cast<long long>(input->position())
                                                : static_cast<long long>(input->size());
    const long long to = base + offset;
    // off_t is 32-bit here; an MP3 beyond 2 GiB is refused at the start.
    if (to < 0 || to > 0x7FFFFFFF)
        return -1;
    input->seek(static_cast<std::uint64_t>(to));
    return static_cast<off_t>(to);
}

struct Mpg123Deleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};
using Decoder = std::unique_ptr<mpg123_handle, Mpg123Deleter>;

std::string mpg123Failure(mpg123_handle* handle) {
    return std::string("the MPEG audio cannot be decoded: ") + mpg123_strerror(handle);
}

std::string notMpegMessage(InputStream& input) {
    std::uint8_t magic[12] = {};
    input.seek(0);
    const std::size_t got = input.read(magic, sizeof magic);
    if (got == 0)
        return "the file is empty";
    if (got == 12 && std::memcmp(magic, "RIFF", 4) == 0 && std::memcmp(magic + 8, "WAVE", 4) == 0)
        return "this is a WAV file, not MPEG audio (MP3)";
    if (got >= 4 && std::memcmp(magic, ".snd", 4) == 0)
        return "this is a SND file, not MPEG audio (MP3)";
    return "this is not MPEG audio (MP3)";
}

struct StreamFacts {
    std::uint64_t firstFrame = 0; // offset
    std::optional<InfoTag> tag;
};

// What the file says about itself before any decoding: where the frames
// start and, from an info tag, how long the stream must be.
StreamFacts checkStream(InputStream& input) {
    if (input.size() > 0x7FFFFFFF)
        throw AudioError("the file is larger than 2 GiB; its audio could not fit a WAV file");
    const auto start = locateStream(input);
    if (!start)
        throw AudioError(notMpegMessage(input));
    std::vector<std::uint8_t> frame(start->first.bytes);
    input.seek(start->offset);
    const std::size_t got = input.read(frame.data(), frame.size());
    StreamFacts facts{start->offset, readInfoTag(frame.data(), got)};
    input.seek(0);
    return facts;
}

// The warning for a stream that ended before what it promised: the length by
// its tag where it states one, else what is known.
std::optional<std::string> shortfall(InputStream& input, const StreamFacts& facts,
                                     std::uint64_t frames, off_t expectedFrames, long rate) {
    const int sampleRate = static_cast<int>(rate);
    if (expectedFrames > 0 && frames < static_cast<std::uint64_t>(expectedFrames))
        return endedEarlyText("MP3", frames, static_cast<std::uint64_t>(expectedFrames),
                              sampleRate);
    const std::string coded = secondsText(frames, sampleRate, true) + " s coded";
    if (facts.tag && facts.tag->bytes && input.size() < *facts.tag->bytes)
        return "the MP3 file ended early: " + coded + "; its tag promises " +
               std::to_string(*facts.tag->bytes) + " bytes, " + std::to_string(input.size()) +
               " are there";
    if (lastFrameCutShort(input, facts.firstFrame))
        return "the MP3 file ended early, inside a frame: " + coded;
    return std::nullopt;
}

Decoder openDecoder(win32::FileInput& input, const DecoderArguments& arguments) {
    int error = MPG123_OK;
    Decoder decoder(mpg123_new(nullptr, &error));
    if (!decoder)
        throw AudioError(std::string("libmpg123 cannot start: ") + mpg123_plain_strerror(error));
    mpg123_handle* h = decoder.get();
    long flags = MPG123_GAPLESS | MPG123_QUIET;
    if (arguments.mono)
        flags |= MPG123_MONO_MIX;
    mpg123_param(h, MPG123_ADD_FLAGS, flags, 0);
    mpg123_format_none(h);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(h, rates[i], arguments.mono ? MPG123_MONO : MPG123_MONO | MPG123_STEREO,
                      arguments.highQuality ? MPG123_ENC_FLOAT_32 : MPG123_ENC_SIGNED_16);
    if (mpg123_replace_reader_handle(h, readInput, seekInput, nullptr) != MPG123_OK ||
        mpg123_open_handle(h, &input) != MPG123_OK)
        throw AudioError(mpg123Failure(h));
    return decoder;
}

// Returns the warning for a stream decoded only as far as it goes.
std::optional<std::string> decode(win32::FileInput& input, OutputStream& output,
                                  const DecoderArguments& arguments, const std::string& label) {
    const StreamFacts facts = checkStream(input);
    const std::optional<InfoTag>& tag = facts.tag;
    Decoder decoder = openDecoder(input, arguments);
    mpg123_handle* h = decoder.get();
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(h, &rate, &channels, &encoding) != MPG123_OK)
        throw AudioError(mpg123Failure(h));
    // With a tag the length is exact, and a WAV too large fails before decoding.
    const off_t expectedFrames = tag && tag->frames ? mpg123_length(h) : off_t{-1};
    if (expectedFrames > 0)
        pcm16WavHeader(channels, static_cast<int>(rate),
                       static_cast<std::uint64_t>(expectedFrames) * channels * 2);
    mpg123_frameinfo info{};
    mpg123_info(h, &info);
    std::printf("%s: MPEG audio layer %d %ld Hz %s to WAV 16-bit %s%s\n", program, info.layer, rate,
                info.mode == MPG123_M_MONO ? "mono" : "stereo", channels == 1 ? "mono" : "stereo",
                arguments.highQuality ? ", dithered" : "");

    output.write(pcm16WavHeader(channels, static_cast<int>(rate), 0).data(), 44);
    Pcm16Converter converter(true);
    std::vector<unsigned char> block(blockBytes);
    std::vector<std::int16_t> converted;
    std::uint64_t dataBytes = 0;
    win32::ProgressLine progress(label);
    for (;;) {
        size_t got = 0;
        const int result = mpg123_read(h, block.data(), block.size(), &got);
        if (got > 0) {
            const void* pcm = block.data();
            std::size_t bytes = got;
            if (arguments.highQuality) {
                const std::size_t samples = got / sizeof(float);
                converted.resize(samples);
                converter.convert(reinterpret_cast<const float*>(block.data()), samples,
                                  converted.data());
                pcm = converted.data();
                bytes = samples * 2;
            }
            if (dataBytes + bytes > maxWavDataBytes)
                throw AudioError("the decoded audio would pass the 4 GiB size limit of a WAV file");
            output.write(pcm, bytes);
            dataBytes += bytes;
            progress.update(static_cast<std::uint64_t>(std::max<off_t>(mpg123_tell_stream(h), 0)),
                            input.size());
        }
        if (result == MPG123_DONE)
            break;
        if (result == MPG123_NEW_FORMAT) {
            long newRate = 0;
            int newChannels = 0;
            mpg123_getformat(h, &newRate, &newChannels, &encoding);
            if (newRate != rate || newChannels != channels)
                throw AudioError("the stream changes its sample rate or channels midway");
        } else if (result != MPG123_OK) {
            throw AudioError(mpg123Failure(h));
        }
    }
    const std::uint64_t frames = dataBytes / (2 * channels);
    // A tag may state an empty stream; anything else must yield some audio.
    if (dataBytes == 0 && !(tag && tag->frames && expectedFrames <= 0))
        throw AudioError("the file holds no MPEG audio frames that decode");
    output.writeAt(0, pcm16WavHeader(channels, static_cast<int>(rate), dataBytes).data(), 44);
    progress.finish();
    return shortfall(input, facts, frames, expectedFrames, rate);
}

} // namespace

int main(int argc, char** argv) {
    return win32::coderMain(
        program, decoderUsage, argc, argv, [](const std::vector<std::string>& line) {
            const DecoderArguments arguments = parseDecoderArguments(line);
            return win32::runCoding(program, arguments.input, arguments.output,
                                    [&](win32::FileInput& input, win32::OutputFile& output) {
                                        return decode(input, output, arguments,
                                                      std::string(program) + ": " +
                                                          arguments.input);
                                    });
        });
}
