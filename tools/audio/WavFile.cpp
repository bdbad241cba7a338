#include "WavFile.h"

#include "AudioError.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace korimba::audio {

namespace {

enum FormatTag : std::uint16_t {
    tagPcm = 0x0001,
    tagFloat = 0x0003,
    tagALaw = 0x0006,
    tagMuLaw = 0x0007,
    tagExtensible = 0xFFFE,
};

// The GUID of a WAVE_FORMAT_EXTENSIBLE sub-format after its first two bytes,
// which hold the plain format tag.
const std::uint8_t guidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                   0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Pipe writers leave the data size at this value when they cannot go back.
const std::uint32_t unknownWavSize = 0xFFFFFFFFu;

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFFu);
    return text;
}

std::string unsupportedTag(unsigned tag) {
    struct Known {
        unsigned tag;
        const char* name;
    };
    static const Known known[] = {{0x0002, "Microsoft ADPCM"},
                                  {0x0011, "IMA ADPCM"},
                                  {0x0031, "GSM 6.10"},
                                  {0x0050, "MPEG"},
                                  {0x0055, "MPEG Layer 3"}};
    std::string name;
    for (const Known& k : known)
        if (k.tag == tag)
            name = std::string(" (") + k.name + ")";
    return "the WAV file is coded as format " + hex4(tag) + name +
           ", which cannot be read; only PCM, floating point, A-law and mu-law can";
}

SampleFormat wavSampleFormat(unsigned tag, int containerBits, int validBits) {
    if (containerBits <= 0 || containerBits % 8 != 0 || validBits <= 0 || validBits > containerBits)
        throw AudioError("the WAV file states " + std::to_string(validBits) +
                         "-bit samples, which cannot be read");
    const int bytes = containerBits / 8;
    switch (tag) {
    case tagPcm:
        if (bytes > 4)
            break;
        return {bytes == 1 ? SampleCoding::Unsigned : SampleCoding::Signed, bytes, false};
    case tagFloat:
        if (bytes != 4 && bytes != 8)
            break;
        return {SampleCoding::Float, bytes, false};
    case tagALaw:
    case tagMuLaw:
        if (bytes != 1)
            break;
        return {tag == tagALaw ? SampleCoding::ALaw : SampleCoding::MuLaw, 1, false};
    }
    throw AudioError("the WAV file states " + std::to_string(containerBits) +
                     "-bit samples for its coding, which cannot be read");
}

struct Format {
    SampleFormat sample;
    int channels;
    int sampleRate;
};

bool readable(unsigned tag) {
    return tag == tagPcm || tag == tagFloat || tag == tagALaw || tag == tagMuLaw;
}

Format parseFormat(const std::uint8_t* chunk, std::uint32_t size) {
    if (size < 16)
        throw AudioError("the WAV file's format chunk is too short");
    unsigned tag = littleEndian16(chunk);
    const int channels = littleEndian16(chunk + 2);
    const std::uint32_t sampleRate = littleEndian32(chunk + 4);
    const int blockAlign = littleEndian16(chunk + 12);
    int bits = littleEndian16(chunk + 14);
    if (tag == tagExtensible) {
        if (size < 40 || littleEndian16(chunk + 16) < 22)
            throw AudioError("the WAV file's extensible format chunk is too short");
        if (std::memcmp(chunk + 26, guidTail, sizeof guidTail) != 0)
            throw AudioError("the WAV file's extensible format names an unknown coding");
        tag = littleEndian16(chunk + 24);
        const int validBits = littleEndian16(chunk + 18);
        if (validBits != 0 && validBits < bits)
            bits = validBits;
    }
    // Compressed codings state no usable bits or block sizes; say what they are first.
    if (!readable(tag))
        throw AudioError(unsupportedTag(tag));
    checkChannelsAndRate(channels, sampleRate);
    // The container is what each sample takes in a frame; fewer bits may be used.
    const int containerBits = blockAlign * 8 / channels;
    if (blockAlign % channels != 0 || bits > containerBits ||
        (littleEndian16(chunk) == tagPcm && containerBits != (bits + 7) / 8 * 8))
        throw AudioError("the WAV file's block size does not match its channels and bits");
    return {wavSampleFormat(tag, containerBits, bits), channels, static_cast<int>(sampleRate)};
}

// Whether a chunk header starts at offset: four printable characters. Audio
// data rarely start so, and never in silence.
bool chunkFollows(InputStream& input, std::uint64_t offset, std::uint64_t fileSize) {
    if (fileSize - offset < 8)
        return false;
    std::uint8_t id[4];
    input.seek(offset);
    readExactly(input, id, sizeof id);
    for (const std::uint8_t c : id)
        if (c < 0x20 || c > 0x7E)
            return false;
    return true;
}

} // namespace

AudioStream readWav(InputStream& input) {
    const std::uint64_t fileSize = input.size();
    std::uint8_t header[12];
    input.seek(0);
    readExactly(input, header, sizeof header);
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        throw AudioError("this is not a RIFF WAVE file");

    std::optional<Format> format;
    std::optional<std::uint64_t> dataOffset;
    std::uint64_t dataBytes = 0;
    DataLength length = DataLength::AsStated;
    std::uint64_t statedBytes = 0;
    std::uint64_t position = 12;
    // Chunks may come in any order; scan until both are known or the file ends.
    while (!(format && dataOffset) && position + 8 <= fileSize) {
        std::uint8_t chunkHeader[8];
        input.seek(position);
        readExactly(input, chunkHeader, sizeof chunkHeader);
        const std::uint32_t size = littleEndian32(chunkHeader + 4);
        const std::uint64_t body = position + 8;
        if (std::memcmp(chunkHeader, "data", 4) == 0) {
            if (dataOffset)
                throw AudioError("the WAV file has two data chunks");
            dataOffset = body;
            const std::uint64_t available = fileSize - body;
            if (size == unknownWavSize) {
                dataBytes = available;
            } else if (size > available) {
                // A download cut short, or a recorder that stopped: code what is there.
                dataBytes = available;
                length = DataLength::EndedEarly;
                statedBytes = size;
            } else if (size == 0 && available > 0 && !chunkFollows(input, body, fileSize)) {
                // A recorder writes 0 first and the length last; if it never
                // came back, its samples run to the end of the file.
                dataBytes = available;
                length = DataLength::Unstated;
                break;
            } else {
                dataBytes = size;
            }
        } else if (std::memcmp(chunkHeader, "fmt ", 4) == 0 && !format) {
            if (body + size > fileSize)
                throw AudioError("the WAV file is truncated in its format chunk");
            std::uint8_t chunk[40] = {};
            const std::uint32_t kept = size < sizeof chunk ? size : sizeof chunk;
            readExactly(input, chunk, kept);
            format = parseFormat(chunk, size);
        }
        if (size == unknownWavSize)
            break;
        // Chunks start on even offsets.
        position = body + size + (size & 1);
    }
    if (!format)
        throw AudioError(dataOffset ? "the WAV file has no format chunk"
                                    : "the WAV file is truncated or holds no audio data");
    if (!dataOffset)
        throw AudioError("the WAV file is truncated or holds no audio data");
    AudioStream stream;
    stream.container = "WAV";
    stream.sample = format->sample;
    stream.channels = format->channels;
    stream.sampleRate = format->sampleRate;
    stream.dataOffset = *dataOffset;
    stream.dataBytes = dataBytes;
    stream.length = length;
    stream.statedBytes = statedBytes;
    settleLength(stream);
    return stream;
}

std::array<std::uint8_t, 44> pcm16WavHeader(int channels, int sampleRate, std::uint64_t dataBytes) {
    if (dataBytes > maxWavDataBytes)
        throw AudioError("the decoded audio would pass the 4 GiB size limit of a WAV file");
    const int blockAlign = 2 * channels;
    std::array<std::uint8_t, 44> header{};
    std::uint8_t* p = header.data();
    std::memcpy(p, "RIFF", 4);
    putLittleEndian32(p + 4, static_cast<std::uint32_t>(36 + dataBytes));
    std::memcpy(p + 8, "WAVEfmt ", 8);
    putLittleEndian32(p + 16, 16);
    putLittleEndian16(p + 20, tagPcm);
    putLittleEndian16(p + 22, static_cast<std::uint16_t>(channels));
    putLittleEndian32(p + 24, static_cast<std::uint32_t>(sampleRate));
    putLittleEndian32(p + 28, static_cast<std::uint32_t>(sampleRate * blockAlign));
    putLittleEndian16(p + 32, static_cast<std::uint16_t>(blockAlign));
    putLittleEndian16(p + 34, 16);
    std::memcpy(p + 36, "data", 4);
    putLittleEndian32(p + 40, static_cast<std::uint32_t>(dataBytes));
    return header;
}

} // namespace korimba::audio
