// l3enc.exe: encodes a WAV or SND file to MP3 at a constant bit rate with LAME,
// called by the encode scripts as
//   l3enc IN OUT -br BITRATE [-hq] [-dm]
// OUT keeps the input's short name and extension in the scripts' Temp folder,
// so the input's format is taken from its content and OUT's name means nothing.
// A failure prints one line, exits with 1, leaves no file at OUT and its
// reason in OUT.err. An input cut short is encoded as far as it goes, with a
// warning on the console and in OUT.err.
#include <windows.h>

#include "audio/Arguments.h"
#include "audio/AudioError.h"
#include "audio/InputFormat.h"
#include "audio/win32/CoderRun.h"
#include "audio/win32/Console.h"
#include "audio/win32/Files.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

using namespace korimba::audio;

namespace {

const char program[] = "l3enc";
const std::size_t framesPerBlock = 8192;

struct LameDeleter {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
using Lame = std::unique_ptr<lame_global_flags, LameDeleter>;

// LAME's own console chatter would break the progress line.
void quiet(const char*, va_list) {}

Lame setUpLame(const AudioStream& stream, const EncoderArguments& arguments) {
    Lame lame(lame_init());
    if (!lame)
        throw std::bad_alloc();
    lame_set_errorf(lame.get(), quiet);
    lame_set_debugf(lame.get(), quiet);
    lame_set_msgf(lame.get(), quiet);
    lame_set_num_channels(lame.get(), stream.channels);
    lame_set_in_samplerate(lame.get(), stream.sampleRate);
    lame_set_num_samples(lame.get(), static_cast<unsigned long>(
                                         std::min<std::uint64_t>(stream.frames(), 0xFFFFFFFFu)));
    lame_set_VBR(lame.get(), vbr_off);
    lame_set_brate(lame.get(), arguments.bitRate / 1000);
    if (arguments.mono)
        lame_set_mode(lame.get(), MONO);
    // LAME's default search is quality 3; 2 is its slower, better one.
    lame_set_quality(lame.get(), arguments.highQuality ? 2 : 3);
    // The Info tag tells players the exact length, encoder delay and padding included.
    lame_set_bWriteVbrTag(lame.get(), 1);
    if (lame_init_params(lame.get()) < 0)
        throw AudioError("LAME cannot encode " + std::to_string(stream.sampleRate) + " Hz " +
                         (stream.channels == 1 ? "mono" : "stereo") + " at " +
                         std::to_string(arguments.bitRate) + " bit/s");
    return lame;
}

void checkLame(int result) {
    if (result >= 0)
        return;
    if (result == -2)
        throw std::bad_alloc();
    throw AudioError("LAME failed to encode (error " + std::to_string(result) + ")");
}

// Returns the warning for an input coded only as far as it goes.
std::optional<std::string> encode(InputStream& input, const AudioStream& stream,
                                  OutputStream& output, const EncoderArguments& arguments,
                                  const std::string& label) {
    Lame lame = setUpLame(stream, arguments);
    const int bitRate = lame_get_brate(lame.get()) * 1000;
    std::printf("%s: %s %d Hz %s to MP3 %d bit/s %s%s\n", program, stream.container.c_str(),
                stream.sampleRate, stream.channels == 1 ? "mono" : "stereo", bitRate,
                lame_get_mode(lame.get()) == MONO ? "mono" : "stereo",
                arguments.highQuality ? ", high quality" : "");
    if (bitRate != arguments.bitRate)
        std::printf("%s: %d bit/s is the rate nearest to %d that MP3 offers at %d Hz\n", program,
                    bitRate, arguments.bitRate, lame_get_out_samplerate(lame.get()));

    SampleReader reader(input, stream);
    std::vector<float> samples(framesPerBlock * stream.channels);
    // LAME's worst case is 1.25 bytes a sample plus 7200, counted in samples
    // after its resampling, which multiplies them for a rate below MP3's.
    const int outputRate = lame_get_out_samplerate(lame.get());
    const std::size_t stretch =
        static_cast<std::size_t>((outputRate + stream.sampleRate - 1) / stream.sampleRate);
    std::vector<unsigned char> mp3(framesPerBlock * std::max<std::size_t>(stretch, 1) * 5 / 4 +
                                   7200);
    win32::ProgressLine progress(label);
    const std::uint64_t total = stream.frames();
    std::uint64_t done = 0;
    while (const std::size_t frames = reader.read(samples.data(), framesPerBlock)) {
        const int n = static_cast<int>(frames);
        const int size = static_cast<int>(mp3.size());
        const int bytes = stream.channels == 2
                              ? lame_encode_buffer_interleaved_ieee_float(
                                    lame.get(), samples.data(), n, mp3.data(), size)
                              : lame_encode_buffer_ieee_float(lame.get(), samples.data(),
                                                              samples.data(), n, mp3.data(), size);
        checkLame(bytes);
        output.write(mp3.data(), static_cast<std::size_t>(bytes));
        done += frames;
        progress.update(done, total);
    }
    const int bytes = lame_encode_flush(lame.get(), mp3.data(), static_cast<int>(mp3.size()));
    checkLame(bytes);
    output.write(mp3.data(), static_cast<std::size_t>(bytes));
    // The first frame was left blank for the tag, which needs the whole stream.
    const std::size_t tagBytes = lame_get_lametag_frame(lame.get(), mp3.data(), mp3.size());
    if (tagBytes > mp3.size())
        throw AudioError("LAME's info tag does not fit its frame");
    output.writeAt(0, mp3.data(), tagBytes);
    progress.finish();
    return lengthWarning(stream);
}

} // namespace

int main(int argc, char** argv) {
    return win32::coderMain(
        program, encoderUsage, argc, argv, [](const std::vector<std::string>& line) {
            const EncoderArguments arguments = parseEncoderArguments(line);
            return win32::runCoding(program, arguments.input, arguments.output,
                                    [&](win32::FileInput& input, win32::OutputFile& output) {
                                        const AudioStream stream = readAudioHeader(input);
                                        return encode(input, stream, output, arguments,
                                                      std::string(program) + ": " +
                                                          arguments.input);
                                    });
        });
}
