#include "MpegFrames.h"

#include "Streams.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace korimba::audio {

namespace {

// kbit/s by [MPEG-1 or not][layer - 1][index].
const int bitRates[2][3][15] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};

const int sampleRates[3] = {44100, 48000, 32000};

// Junk allowed before the first frame after the ID3v2 tags.
const std::size_t searchLimit = 64 * 1024;

bool tagAt(const std::uint8_t* p, std::size_t left) {
    return (left >= 3 && std::memcmp(p, "TAG", 3) == 0) ||
           (left >= 8 && std::memcmp(p, "APETAGEX", 8) == 0) ||
           (left >= 3 && std::memcmp(p, "ID3", 3) == 0) ||
           (left >= 6 && std::memcmp(p, "LYRICS", 6) == 0);
}

} // namespace

std::optional<FrameHeader> parseFrameHeader(const std::uint8_t* p) {
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int versionBits = (p[1] >> 3) & 3;
    const int layerBits = (p[1] >> 1) & 3;
    const int rateIndex = p[2] >> 4;
    const int frequencyIndex = (p[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || rateIndex == 0 || rateIndex == 15 ||
        frequencyIndex == 3)
        return std::nullopt;
    FrameHeader h;
    h.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    h.layer = 4 - layerBits;
    h.crc = (p[1] & 1) == 0;
    const bool mpeg1 = h.version == 1;
    h.bitRate = bitRates[mpeg1 ? 0 : 1][h.layer - 1][rateIndex] * 1000;
    h.sampleRate = sampleRates[frequencyIndex] / (mpeg1 ? 1 : h.version == 2 ? 2 : 4);
    h.channels = (p[3] >> 6) == 3 ? 1 : 2;
    const int padding = (p[2] >> 1) & 1;
    if (h.layer == 1) {
        h.samples = 384;
        h.bytes = static_cast<std::size_t>((12 * h.bitRate / h.sampleRate + padding) * 4);
    } else {
        h.samples = h.layer == 3 && !mpeg1 ? 576 : 1152;
        h.bytes = static_cast<std::size_t>(h.samples / 8 * h.bitRate / h.sampleRate + padding);
    }
    return h;
}

std::size_t id3v2Length(const std::uint8_t* data, std::size_t size) {
    std::size_t offset = 0;
    // Tags may follow each other.
    while (size - offset >= 10 && std::memcmp(data + offset, "ID3", 3) == 0) {
        const std::uint8_t* h = data + offset;
        if ((h[6] | h[7] | h[8] | h[9]) & 0x80)
            break;
        const std::size_t body =
            static_cast<std::size_t>(h[6]) << 21 | h[7] << 14 | h[8] << 7 | h[9];
        const bool footer = (h[5] & 0x10) != 0;
        offset += 10 + body + (footer ? 10 : 0);
        if (offset > size)
            return offset;
    }
    return offset;
}

std::optional<StreamStart> findStreamStart(const std::uint8_t* head, std::size_t size,
                                           bool headIsWholeFile) {
    const std::size_t tags = id3v2Length(head, size);
    for (std::size_t start = tags; start + 4 <= size && start <= tags + searchLimit; ++start) {
        const auto first = parseFrameHeader(head + start);
        if (!first)
            continue;
        int run = 1;
        std::size_t next = start + first->bytes;
        while (run < 3) {
            if (next == size && headIsWholeFile)
                return StreamStart{start, *first};
            if (next + 4 > size) {
                if (!headIsWholeFile && next >= size)
                    return StreamStart{start, *first}; // frames run past what was read
                break;
            }
            if (tagAt(head + next, size - next))
                return StreamStart{start, *first};
            const auto h = parseFrameHeader(head + next);
            if (!h || !h->sameStream(*first))
                break;
            ++run;
            next += h->bytes;
        }
        if (run == 3)
            return StreamStart{start, *first};
    }
    return std::nullopt;
}

std::optional<StreamStart> locateStream(InputStream& input) {
    const std::uint64_t size = input.size();
    std::uint64_t offset = 0;
    std::uint8_t tagHeader[10];
    while (size - offset >= sizeof tagHeader) {
        input.seek(offset);
        readExactly(input, tagHeader, sizeof tagHeader);
        const std::size_t length = id3v2Length(tagHeader, sizeof tagHeader);
        if (length == 0)
            break;
        offset += length;
    }
    if (offset >= size)
        return std::nullopt;
    std::vector<std::uint8_t> head(
        static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, 256 * 1024)));
    input.seek(offset);
    readExactly(input, head.data(), head.size());
    auto start = findStreamStart(head.data(), head.size(), offset + head.size() == size);
    if (start)
        start->offset += static_cast<std::size_t>(offset);
    return start;
}

bool lastFrameCutShort(InputStream& input, std::uint64_t offset) {
    const std::uint64_t size = input.size();
    while (offset < size) {
        std::uint8_t header[4] = {};
        input.seek(offset);
        const std::size_t got = input.read(header, sizeof header);
        if (got < sizeof header)
            return header[0] == 0xFF; // a header itself cut short
        const auto h = parseFrameHeader(header);
        if (!h)
            return false;
        if (size - offset < h->bytes)
            return true;
        offset += h->bytes;
    }
    return false;
}

std::optional<InfoTag> readInfoTag(const std::uint8_t* frame, std::size_t size) {
    if (size < 4)
        return std::nullopt;
    const auto header = parseFrameHeader(frame);
    if (!header || header->layer != 3)
        return std::nullopt;
    const bool mono = header->channels == 1;
    const std::size_t sideInfo = header->version == 1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    std::size_t p = 4 + sideInfo + (header->crc ? 2 : 0);
    if (p + 8 > size || p + 8 > header->bytes ||
        (std::memcmp(frame + p, "Xing", 4) != 0 && std::memcmp(frame + p, "Info", 4) != 0))
        return std::nullopt;
    const std::uint32_t flags = bigEndian32(frame + p + 4);
    p += 8;
    InfoTag tag;
    if (flags & 1) {
        if (p + 4 > size)
            return std::nullopt;
        tag.frames = bigEndian32(frame + p);
        p += 4;
    }
    if (flags & 2) {
        if (p + 4 > size)
            return std::nullopt;
        tag.bytes = bigEndian32(frame + p);
        p += 4;
    }
    p += (flags & 4) ? 100 : 0;
    p += (flags & 8) ? 4 : 0;
    // LAME's extension: a 9-byte version string, then delay and padding at +21.
    if (p + 24 <= size && p + 24 <= header->bytes) {
        const std::uint8_t* lame = frame + p;
        if (std::memcmp(lame, "LAME", 4) == 0 || std::memcmp(lame, "Lavf", 4) == 0 ||
            std::memcmp(lame, "Lavc", 4) == 0) {
            tag.encoderDelay = lame[21] << 4 | lame[22] >> 4;
            tag.padding = (lame[22] & 0x0F) << 8 | lame[23];
        }
    }
    return tag;
}

} // namespace korimba::audio
