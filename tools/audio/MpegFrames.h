#pragma once
// MPEG audio frame headers and the Xing/LAME info tag: enough to tell an MP3
// file from anything else before decoding, and to know its exact length.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "Streams.h"

namespace korimba::audio {

struct FrameHeader {
    int version = 1; // 1, 2, or 25 for MPEG 2.5
    int layer = 3;
    int bitRate = 0; // bit/s
    int sampleRate = 0;
    int channels = 2;
    bool crc = false;
    std::size_t bytes = 0;
    int samples = 0; // per channel

    // Headers of one stream agree in these.
    bool sameStream(const FrameHeader& other) const {
        return version == other.version && layer == other.layer && sampleRate == other.sampleRate;
    }
};

// The four bytes at p read as a frame header; none for anything else, free
// format included (it has no length to check).
std::optional<FrameHeader> parseFrameHeader(const std::uint8_t* p);

// Length of the ID3v2 tags at the start of data (0 when there are none).
std::size_t id3v2Length(const std::uint8_t* data, std::size_t size);

struct StreamStart {
    std::size_t offset = 0; // of the first frame
    FrameHeader first;
};

// Finds where the frames begin, after ID3v2 tags and at most a little junk:
// a run of three frames of one stream, or fewer that end exactly at a tag or at
// the end of the file (head is then all of the file). None when the data do
// not look like MPEG audio.
std::optional<StreamStart> findStreamStart(const std::uint8_t* head, std::size_t size,
                                           bool headIsWholeFile);

// The same for a whole stream, read as far as needed; offset is from the
// start of the file, after any ID3v2 tags, however large.
std::optional<StreamStart> locateStream(InputStream& input);

// Whether the frames from offset on end inside a frame, as a download cut
// short does; they end whole at the end of the file or at a tag or junk.
bool lastFrameCutShort(InputStream& input, std::uint64_t offset);

// The Xing/Info tag LAME writes into the first frame, with its LAME extension.
struct InfoTag {
    std::optional<std::uint32_t> frames; // audio frames after the tag frame
    std::optional<std::uint32_t> bytes;  // of the stream, the tag frame included
    std::optional<int> encoderDelay;     // samples
    std::optional<int> padding;          // samples
};

std::optional<InfoTag> readInfoTag(const std::uint8_t* frame, std::size_t size);

} // namespace korimba::audio
