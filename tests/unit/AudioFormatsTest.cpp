// The coders' format code on files built byte by byte: WAV chunk orders and
// codings, SND encodings, files cut short, and the faults each must report
// instead of coding.
#include "../../tools/audio/AudioError.h"
#include "../../tools/audio/InputFormat.h"
#include "../../tools/audio/Samples.h"
#include "../../tools/audio/WavFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace korimba::audio;

namespace {

using Bytes = std::vector<std::uint8_t>;

void append(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}
void le(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void be(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Bytes chunk(const std::string& id, const Bytes& body) {
    Bytes out;
    append(out, id);
    le(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2)
        out.push_back(0);
    return out;
}

Bytes fmtBody(int tag, int channels, int rate, int bits, int blockAlign = 0) {
    if (blockAlign == 0)
        blockAlign = channels * ((bits + 7) / 8);
    Bytes b;
    le(b, tag, 2);
    le(b, channels, 2);
    le(b, rate, 4);
    le(b, rate * blockAlign, 4);
    le(b, blockAlign, 2);
    le(b, bits, 2);
    return b;
}

Bytes extensibleBody(int subTag, int channels, int rate, int containerBits, int validBits) {
    Bytes b = fmtBody(0xFFFE, channels, rate, containerBits);
    le(b, 22, 2);
    le(b, validBits, 2);
    le(b, channels == 1 ? 4 : 3, 4);
    le(b, subTag, 2);
    for (std::uint8_t x :
         {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
        b.push_back(x);
    return b;
}

Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes body;
    append(body, "WAVE");
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes out;
    append(out, "RIFF");
    le(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes snd(std::uint32_t encoding, int channels, int rate, const Bytes& data,
          std::uint32_t dataSize = 0xFFFFFFFEu, const std::string& annotation = "") {
    Bytes out;
    append(out, ".snd");
    be(out, static_cast<std::uint32_t>(24 + annotation.size()), 4);
    be(out, dataSize == 0xFFFFFFFEu ? static_cast<std::uint32_t>(data.size()) : dataSize, 4);
    be(out, encoding, 4);
    be(out, rate, 4);
    be(out, channels, 4);
    append(out, annotation);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

struct Decoded {
    AudioStream stream;
    std::vector<float> samples;
};

Decoded decode(const Bytes& file) {
    MemoryInput input(file);
    Decoded d{readAudioHeader(input), {}};
    SampleReader reader(input, d.stream);
    std::vector<float> block(3 * d.stream.channels);
    while (const std::size_t frames = reader.read(block.data(), 3))
        d.samples.insert(d.samples.end(), block.begin(),
                         block.begin() + frames * d.stream.channels);
    return d;
}

std::string failure(const Bytes& file) {
    try {
        decode(file);
    } catch (const AudioError& error) {
        return error.what();
    }
    return "no error";
}

// 16-bit stereo: left 0.5, right -0.25, then left -1, right ~1.
const Bytes pcm16Frames = {0x00, 0x40, 0x00, 0xE0, 0x00, 0x80, 0xFF, 0x7F};

} // namespace

TEST(WavReading, ChunksInAnyOrderWithOddSizedChunksBetween) {
    const Bytes fmt = chunk("fmt ", fmtBody(1, 2, 44100, 16));
    const Bytes data = chunk("data", pcm16Frames);
    const Bytes list = chunk("LIST", {'I', 'N', 'F', 'O', 'x'}); // odd size: a pad byte follows
    for (const Bytes& file :
         {riff({fmt, data}), riff({list, fmt, list, data, list}), riff({data, list, fmt}),
          riff({chunk("JUNK", Bytes(27)), data, fmt})}) {
        const Decoded d = decode(file);
        EXPECT_EQ(d.stream.container, "WAV");
        EXPECT_EQ(d.stream.channels, 2);
        EXPECT_EQ(d.stream.sampleRate, 44100);
        ASSERT_EQ(d.samples.size(), 4u);
        EXPECT_FLOAT_EQ(d.samples[0], 0.5f);
        EXPECT_FLOAT_EQ(d.samples[1], -0.25f);
        EXPECT_FLOAT_EQ(d.samples[2], -1.0f);
        EXPECT_NEAR(d.samples[3], 1.0f, 1e-4);
    }
}

TEST(WavReading, EveryIntegerAndFloatCoding) {
    struct Case {
        Bytes fmt;
        Bytes data;
        std::vector<float> expected;
    };
    float f = 0.75f;
    Bytes float32(4);
    std::memcpy(float32.data(), &f, 4);
    double g = -0.5;
    Bytes float64(8);
    std::memcpy(float64.data(), &g, 8);
    const Case cases[] = {
        {fmtBody(1, 1, 8000, 8), {0x80, 0xC0, 0x00}, {0.0f, 0.5f, -1.0f}},
        {fmtBody(1, 1, 8000, 24), {0x00, 0x00, 0x40, 0x00, 0x00, 0x80}, {0.5f, -1.0f}},
        {fmtBody(1, 1, 8000, 32), {0x00, 0x00, 0x00, 0xC0}, {-0.5f}},
        {fmtBody(1, 1, 8000, 20, 3), {0x00, 0x00, 0x20}, {0.25f}}, // 20 bits in 3 bytes
        {fmtBody(3, 1, 8000, 32), float32, {0.75f}},
        {fmtBody(3, 1, 8000, 64), float64, {-0.5f}},
        {fmtBody(7, 1, 8000, 8), {0xFF, 0x00}, {0.0f, -32124 / 32768.0f}},
        {fmtBody(6, 1, 8000, 8), {0xD5, 0x2A}, {8 / 32768.0f, -32256 / 32768.0f}},
        {extensibleBody(1, 2, 48000, 24, 24), {0, 0, 0x40, 0, 0, 0xC0}, {0.5f, -0.5f}},
        {extensibleBody(1, 1, 96000, 32, 24), {0, 0, 0, 0x40}, {0.5f}},
        {extensibleBody(3, 1, 48000, 32, 32), float32, {0.75f}},
    };
    for (const Case& c : cases) {
        const Decoded d = decode(riff({chunk("fmt ", c.fmt), chunk("data", c.data)}));
        ASSERT_EQ(d.samples.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_FLOAT_EQ(d.samples[i], c.expected[i])
                << "case tag " << int(c.fmt[0]) << " sample " << i;
    }
}

TEST(WavReading, FloatsOutOfRangeAreClipped) {
    Bytes data;
    for (float f : {2.0f, -3.0f, NAN, INFINITY}) {
        std::uint8_t b[4];
        std::memcpy(b, &f, 4);
        data.insert(data.end(), b, b + 4);
    }
    const Decoded d = decode(riff({chunk("fmt ", fmtBody(3, 1, 44100, 32)), chunk("data", data)}));
    EXPECT_EQ(d.samples, (std::vector<float>{1.0f, -1.0f, 0.0f, 1.0f}));
}

TEST(WavReading, DataSizeOfAPipeWriterRunsToTheEndAndAPartFrameIsDropped) {
    Bytes file = riff({chunk("fmt ", fmtBody(1, 2, 44100, 16))});
    append(file, "data");
    le(file, 0xFFFFFFFFu, 4);
    file.insert(file.end(), pcm16Frames.begin(), pcm16Frames.end());
    file.push_back(0x12); // half a sample
    const Decoded d = decode(file);
    EXPECT_EQ(d.stream.frames(), 2u);
    EXPECT_EQ(d.samples.size(), 4u);
}

// 16-bit stereo at 8000 Hz whose data chunk states `stated` frames and holds `present`.
Bytes wavWithData(std::uint32_t statedBytes, std::size_t presentBytes) {
    Bytes file = riff({chunk("fmt ", fmtBody(1, 2, 8000, 16))});
    append(file, "data");
    le(file, statedBytes, 4);
    for (std::size_t i = 0; i < presentBytes; ++i)
        file.push_back(static_cast<std::uint8_t>(i % 4 == 1 ? 0x20 : 0x00));
    return file;
}

TEST(WavReading, CutShortIsReadAsFarAsItGoes) {
    // One second promised, a little over a tenth there, the last frame in part.
    Decoded d = decode(wavWithData(8000 * 4, 1001 * 4 + 3));
    EXPECT_EQ(d.stream.frames(), 1001u);
    EXPECT_EQ(d.samples.size(), 2002u);
    EXPECT_EQ(d.stream.length, DataLength::EndedEarly);
    EXPECT_EQ(lengthWarning(d.stream), "the WAV file ended early: 0.1 s of 1.0 s coded");

    // Missing only part of its last frame (or its pad byte) a file is whole.
    d = decode(wavWithData(2 * 4 + 3, 2 * 4 + 1));
    EXPECT_EQ(d.stream.frames(), 2u);
    EXPECT_EQ(lengthWarning(d.stream), std::nullopt);

    // A complete file has no warning; one with nothing whole left is refused.
    EXPECT_EQ(lengthWarning(decode(wavWithData(8000 * 4, 8000 * 4)).stream), std::nullopt);
    EXPECT_EQ(failure(wavWithData(8000 * 4, 3)),
              "the WAV file is truncated: it ends before its audio data");
    EXPECT_EQ(failure(wavWithData(8000 * 4, 0)),
              "the WAV file is truncated: it ends before its audio data");
}

TEST(WavReading, DataOfALengthNeverStatedRunToTheEnd) {
    // A recorder that stopped before it wrote the length left 0.
    Decoded d = decode(wavWithData(0, 12000 * 4 + 2));
    EXPECT_EQ(d.stream.frames(), 12000u);
    EXPECT_EQ(d.stream.length, DataLength::Unstated);
    EXPECT_EQ(lengthWarning(d.stream), "the WAV file's header states no length for its audio: "
                                       "1.5 s coded, to the end of the file");

    // An empty data chunk followed by another chunk, or by less than a frame, is empty.
    const Bytes fmt = chunk("fmt ", fmtBody(1, 2, 8000, 16));
    for (const Bytes& file : {riff({fmt, chunk("data", {}), chunk("LIST", {'I', 'N', 'F', 'O'})}),
                              riff({fmt, chunk("data", {})}), wavWithData(0, 3)}) {
        d = decode(file);
        EXPECT_EQ(d.stream.frames(), 0u);
        EXPECT_EQ(d.stream.length, DataLength::AsStated);
        EXPECT_EQ(lengthWarning(d.stream), std::nullopt);
    }
}

TEST(WavReading, FaultsAreReportedNotCoded) {
    const Bytes fmt = chunk("fmt ", fmtBody(1, 2, 44100, 16));
    const Bytes data = chunk("data", pcm16Frames);
    Bytes cut = riff({fmt, data});
    cut.resize(cut.size() - pcm16Frames.size() + 3); // not one whole frame left
    EXPECT_EQ(failure(cut), "the WAV file is truncated: it ends before its audio data");
    EXPECT_EQ(failure(riff({fmt})), "the WAV file is truncated or holds no audio data");
    EXPECT_EQ(failure(riff({data})), "the WAV file has no format chunk");
    Bytes cutInFormat = riff({fmt, data});
    cutInFormat.resize(30);
    EXPECT_EQ(failure(cutInFormat), "the WAV file is truncated in its format chunk");
    EXPECT_EQ(failure(riff({chunk("fmt ", fmtBody(0x55, 2, 44100, 0, 1)), data})),
              "the WAV file is coded as format 0x0055 (MPEG Layer 3), which cannot be read; "
              "only PCM, floating point, A-law and mu-law can");
    EXPECT_EQ(failure(riff({chunk("fmt ", fmtBody(0x11, 2, 44100, 4, 2048)), data})),
              "the WAV file is coded as format 0x0011 (IMA ADPCM), which cannot be read; "
              "only PCM, floating point, A-law and mu-law can");
    EXPECT_EQ(failure(riff({chunk("fmt ", fmtBody(1, 6, 44100, 16)), data})),
              "the file has 6 channels; only mono and stereo can be encoded");
    EXPECT_EQ(failure(riff({chunk("fmt ", fmtBody(1, 2, 0, 16)), data})),
              "the file states an impossible sample rate of 0 Hz");
    EXPECT_EQ(failure(riff({chunk("fmt ", fmtBody(1, 2, 44100, 16, 3)), data})),
              "the WAV file's block size does not match its channels and bits");
    EXPECT_EQ(failure(riff({chunk("fmt ", fmtBody(3, 1, 44100, 16)), data})),
              "the WAV file states 16-bit samples for its coding, which cannot be read");
    Bytes badGuid = extensibleBody(1, 2, 44100, 16, 16);
    badGuid.back() ^= 1;
    EXPECT_EQ(failure(riff({chunk("fmt ", badGuid), data})),
              "the WAV file's extensible format names an unknown coding");
    EXPECT_EQ(failure(riff({fmt, data, data})), "no error"); // reading stops at the first
}

TEST(SndReading, EveryEncodingIsBigEndian) {
    struct Case {
        std::uint32_t encoding;
        Bytes data;
        std::vector<float> expected;
    };
    const float f = -0.75f;
    std::uint8_t fb[4];
    std::memcpy(fb, &f, 4);
    const double g = 0.25;
    std::uint8_t gb[8];
    std::memcpy(gb, &g, 8);
    const Case cases[] = {
        {1, {0xFF, 0x80}, {0.0f, 32124 / 32768.0f}},
        {27, {0xD5}, {8 / 32768.0f}},
        {2, {0x40, 0x80}, {0.5f, -1.0f}},
        {3, {0x40, 0x00, 0xC0, 0x00}, {0.5f, -0.5f}},
        {4, {0xE0, 0x00, 0x00}, {-0.25f}},
        {5, {0x20, 0x00, 0x00, 0x00}, {0.25f}},
        {6, {fb[3], fb[2], fb[1], fb[0]}, {-0.75f}},
        {7, {gb[7], gb[6], gb[5], gb[4], gb[3], gb[2], gb[1], gb[0]}, {0.25f}},
    };
    for (const Case& c : cases) {
        const Decoded d = decode(snd(c.encoding, 1, 8000, c.data));
        EXPECT_EQ(d.stream.container, "SND");
        EXPECT_EQ(d.samples, c.expected) << "encoding " << c.encoding;
    }
}

TEST(SndReading, AnnotationUnknownSizeAndFaults) {
    const Bytes data = {0x40, 0x00, 0xC0, 0x00};
    Decoded d = decode(snd(3, 2, 22050, data, 0xFFFFFFFFu, "made by hand"));
    EXPECT_EQ(d.stream.channels, 2);
    EXPECT_EQ(d.stream.sampleRate, 22050);
    EXPECT_EQ(d.samples, (std::vector<float>{0.5f, -0.5f}));

    EXPECT_EQ(failure(snd(3, 1, 8000, {}, 100)),
              "the SND file is truncated: it ends before its audio data");
    EXPECT_EQ(failure(snd(23, 1, 8000, data)),
              "the SND file is coded as encoding 23, which cannot be read; only mu-law, A-law, "
              "linear and floating point can");
    EXPECT_EQ(failure(snd(3, 3, 8000, data)),
              "the file has 3 channels; only mono and stereo can be encoded");
    EXPECT_EQ(failure(snd(3, 0xFFFFFFFFu, 8000, data)),
              "the file has 4294967295 channels; only mono and stereo can be encoded");
    Bytes header = snd(3, 1, 8000, data);
    header.resize(20);
    EXPECT_EQ(failure(header), "the file is truncated");
}

TEST(SndReading, CutShortIsReadAsFarAsItGoes) {
    // 16-bit mono at 8000 Hz: 2.5 s promised, 0.75 s and half a sample there.
    const Decoded d = decode(snd(3, 1, 8000, Bytes(6000 * 2 + 1, 0x10), 20000 * 2));
    EXPECT_EQ(d.stream.frames(), 6000u);
    EXPECT_EQ(d.samples.size(), 6000u);
    EXPECT_EQ(lengthWarning(d.stream), "the SND file ended early: 0.7 s of 2.5 s coded");
}

TEST(InputRecognition, RatesTooLowToEncodeAreRefusedInOneLine) {
    const Bytes data = chunk("data", pcm16Frames);
    EXPECT_EQ(
        failure(riff({chunk("fmt ", fmtBody(1, 1, 1, 16)), data})),
        "the WAV file states a sample rate of 1 Hz, too low to encode (1000 Hz is the least)");
    EXPECT_EQ(failure(snd(3, 1, 999, {0, 0})),
              "the SND file states a sample rate of 999 Hz, too low to encode (1000 Hz is the "
              "least)");
    EXPECT_EQ(decode(riff({chunk("fmt ", fmtBody(1, 1, 1000, 16)), data})).stream.sampleRate, 1000);
}

TEST(InputRecognition, ContentDecidesNotTheName) {
    EXPECT_EQ(failure({}), "the file is empty");
    EXPECT_EQ(failure({'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0}),
              "this is MPEG audio (MP3); only WAV and SND files can be encoded");
    EXPECT_EQ(failure({0xFF, 0xFB, 0x90, 0x64}),
              "this is MPEG audio (MP3); only WAV and SND files can be encoded");
    EXPECT_EQ(failure({'h', 'e', 'l', 'l', 'o'}), "this is neither a WAV nor a SND audio file");
    Bytes rifx = riff({});
    rifx[8] = 'A'; // RIFF but AVI
    EXPECT_EQ(failure(rifx), "this is neither a WAV nor a SND audio file");
}

TEST(WavWriting, HeaderAndTheFourGigabyteLimit) {
    const auto h = pcm16WavHeader(2, 44100, 1000);
    EXPECT_EQ(std::string(h.begin(), h.begin() + 4), "RIFF");
    EXPECT_EQ(littleEndian32(h.data() + 4), 1036u);
    EXPECT_EQ(littleEndian32(h.data() + 28), 176400u);
    EXPECT_EQ(littleEndian16(h.data() + 32), 4);
    EXPECT_EQ(littleEndian32(h.data() + 40), 1000u);
    // What the writer writes, the reader reads.
    Bytes file(h.begin(), h.end());
    file.resize(file.size() + 1000);
    MemoryInput input(file);
    const AudioStream s = readWav(input);
    EXPECT_EQ(s.frames(), 250u);
    EXPECT_EQ(s.dataOffset, 44u);

    EXPECT_NO_THROW(pcm16WavHeader(2, 44100, maxWavDataBytes));
    EXPECT_EQ(littleEndian32(pcm16WavHeader(2, 44100, maxWavDataBytes).data() + 4), 0xFFFFFFFFu);
    EXPECT_THROW(pcm16WavHeader(2, 44100, maxWavDataBytes + 1), AudioError);
}
