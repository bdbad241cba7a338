// MPEG frame headers and info tags as l3dec checks them before and after
// decoding, and the 16-bit rounding of its high-quality mode.
#include "../../tools/audio/MpegFrames.h"
#include "../../tools/audio/Pcm16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

using namespace korimba::audio;

namespace {

using Bytes = std::vector<std::uint8_t>;

// MPEG-1 layer III, 128 kbit/s, 44100 Hz, joint stereo, no CRC: 417 bytes.
const std::uint8_t mpeg1Header[4] = {0xFF, 0xFB, 0x90, 0x44};

Bytes frames(int count, std::size_t junkBefore = 0) {
    Bytes out(junkBefore, 0x00);
    for (int i = 0; i < count; ++i) {
        out.insert(out.end(), mpeg1Header, mpeg1Header + 4);
        out.resize(out.size() + 413, 0x55);
    }
    return out;
}

Bytes id3v2(std::size_t body) {
    Bytes out = {'I', 'D', '3', 4, 0, 0};
    for (int shift : {21, 14, 7, 0})
        out.push_back(static_cast<std::uint8_t>((body >> shift) & 0x7F));
    out.resize(out.size() + body, 0xFF); // sync-like bytes inside the tag must not count
    return out;
}

} // namespace

TEST(MpegFrames, HeadersOfEachVersion) {
    auto h = parseFrameHeader(mpeg1Header);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->version, 1);
    EXPECT_EQ(h->layer, 3);
    EXPECT_EQ(h->bitRate, 128000);
    EXPECT_EQ(h->sampleRate, 44100);
    EXPECT_EQ(h->channels, 2);
    EXPECT_EQ(h->bytes, 417u);
    EXPECT_EQ(h->samples, 1152);

    const std::uint8_t mpeg25Mono[4] = {0xFF, 0xE3, 0x18, 0xC4}; // 8 kbit/s 8000 Hz
    h = parseFrameHeader(mpeg25Mono);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->version, 25);
    EXPECT_EQ(h->sampleRate, 8000);
    EXPECT_EQ(h->bitRate, 8000);
    EXPECT_EQ(h->channels, 1);
    EXPECT_EQ(h->samples, 576);
    EXPECT_EQ(h->bytes, 72u);

    for (const std::uint8_t* bad : {(const std::uint8_t*)"\xFF\xFB\xF0\x44", // bad bit rate
                                    (const std::uint8_t*)"\xFF\xFB\x0C\x44", // free format
                                    (const std::uint8_t*)"\xFF\xFB\x9C\x44", // bad rate
                                    (const std::uint8_t*)"\xFF\xF9\x90\x44", // no layer
                                    (const std::uint8_t*)"RIFF"})
        EXPECT_FALSE(parseFrameHeader(bad));
}

TEST(MpegFrames, StreamStartAfterTagsAndJunk) {
    Bytes file = id3v2(3000);
    const Bytes audio = frames(5, 100);
    file.insert(file.end(), audio.begin(), audio.end());
    auto start = findStreamStart(file.data(), file.size(), true);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->offset, 3010u + 100u);

    MemoryInput input(file);
    start = locateStream(input);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->offset, 3110u);

    // Two frames that end exactly at the end of the file, or at an ID3v1 tag.
    Bytes shortFile = frames(2);
    start = findStreamStart(shortFile.data(), shortFile.size(), true);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->offset, 0u);
    shortFile.insert(shortFile.end(), {'T', 'A', 'G'});
    shortFile.resize(shortFile.size() + 125);
    start = findStreamStart(shortFile.data(), shortFile.size(), true);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->offset, 0u);
}

TEST(MpegFrames, WhatIsNotAStreamIsNotTakenForOne) {
    // A lone sync word in other data, and frames cut short of their length.
    Bytes noise(5000, 0x11);
    std::memcpy(noise.data() + 700, mpeg1Header, 4);
    EXPECT_FALSE(findStreamStart(noise.data(), noise.size(), true));
    Bytes cut = frames(2);
    cut.resize(cut.size() - 10);
    EXPECT_FALSE(findStreamStart(cut.data(), cut.size(), true));
    // Frames beyond the junk allowed before them.
    Bytes late = frames(3, 70000);
    EXPECT_FALSE(findStreamStart(late.data(), late.size(), true));
    Bytes empty;
    MemoryInput input(empty);
    EXPECT_FALSE(locateStream(input));
}

TEST(MpegFrames, ALastFrameCutShortIsSeen) {
    const auto cutShort = [](const Bytes& file, std::uint64_t start = 0) {
        MemoryInput input(file);
        return lastFrameCutShort(input, start);
    };
    Bytes whole = frames(4, 100);
    EXPECT_FALSE(cutShort(whole, 100));
    Bytes tagged = whole;
    tagged.insert(tagged.end(), {'T', 'A', 'G'});
    tagged.resize(tagged.size() + 125);
    EXPECT_FALSE(cutShort(tagged, 100)); // the frames end at a tag
    Bytes junk = whole;
    junk.resize(junk.size() + 50, 0x00);
    EXPECT_FALSE(cutShort(junk, 100));

    Bytes cut = whole;
    cut.resize(cut.size() - 200);
    EXPECT_TRUE(cutShort(cut, 100));
    cut = whole;
    cut.insert(cut.end(), mpeg1Header, mpeg1Header + 2); // even its header cut short
    EXPECT_TRUE(cutShort(cut, 100));
}

TEST(MpegFrames, InfoTagWithLameDelayAndPadding) {
    Bytes frame = frames(1);
    const std::size_t at = 4 + 32; // MPEG-1 stereo side information
    std::memcpy(frame.data() + at, "Info", 4);
    const std::uint8_t fields[] = {0, 0, 0, 3, 0, 0, 0x0A, 0xFA, 0, 0, 0x9C, 0x40};
    std::memcpy(frame.data() + at + 4, fields, sizeof fields); // frames and bytes
    std::memcpy(frame.data() + at + 16, "LAME3.100", 9);
    frame[at + 16 + 21] = 0x24; // delay 576, padding 1234: 0x240 0x4D2
    frame[at + 16 + 22] = 0x04;
    frame[at + 16 + 23] = 0xD2;
    const auto tag = readInfoTag(frame.data(), frame.size());
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->frames, 2810u);
    EXPECT_EQ(tag->bytes, 40000u);
    EXPECT_EQ(tag->encoderDelay, 576);
    EXPECT_EQ(tag->padding, 1234);
    EXPECT_FALSE(readInfoTag(frames(1).data(), 417));
}

TEST(Pcm16Rounding, PlainAndDithered) {
    const std::vector<float> in = {0.0f, 0.5f, -1.0f, 1.0f, 2.0f, -2.0f, NAN, 100.4f / 32768};
    std::vector<std::int16_t> out(in.size());
    Pcm16Converter plain(false);
    plain.convert(in.data(), in.size(), out.data());
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 16384, -32768, 32767, 32767, -32768, 0, 100}));

    // Dither moves a value by at most one step and averages out to it.
    std::vector<float> quiet(20000, 100.25f / 32768);
    std::vector<std::int16_t> dithered(quiet.size());
    Pcm16Converter withDither(true);
    withDither.convert(quiet.data(), quiet.size(), dithered.data());
    double sum = 0;
    for (std::int16_t v : dithered) {
        EXPECT_GE(v, 99);
        EXPECT_LE(v, 101);
        sum += v;
    }
    EXPECT_NEAR(sum / dithered.size(), 100.25, 0.05);
}

TEST(Pcm16Rounding, HalfStepsGoToEvenAndTheRangeHoldsForAnyValue) {
    const float step = 1.0f / 32768;
    const std::vector<float> in = {
        0.5f * step,     1.5f * step,     2.5f * step,     -0.5f * step,     -1.5f * step,
        -2.5f * step,    32766.5f * step, 32767.5f * step, -32767.5f * step, -32768.5f * step,
        40000.0f * step, INFINITY,        -INFINITY};
    std::vector<std::int16_t> out(in.size());
    Pcm16Converter(false).convert(in.data(), in.size(), out.data());
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 2, 2, 0, -2, -2, 32766, 32767, -32768, -32768,
                                              32767, 32767, -32768}));
}

// l3dec -hq writes exactly these samples; a faster converter must not change one.
TEST(Pcm16Rounding, DitheredSamplesArePinned) {
    std::vector<float> in;
    for (int i = 0; i < 24; ++i)
        in.push_back(static_cast<float>(std::sin(i * 0.37) * 0.3) + (i % 5 == 0 ? 1e-6f : 0.0f));
    for (const float extreme : {INFINITY, -INFINITY, 1.5f, -3.0f, 0.75f / 32768, -0.75f / 32768})
        in.push_back(extreme);
    std::vector<std::int16_t> out(in.size());
    Pcm16Converter(true).convert(in.data(), in.size(), out.data());
    EXPECT_EQ(out, (std::vector<std::int16_t>{
                       0,     3554,  6629,  8805,  9790,  9450,   7830,  5151,   1776, -1841,
                       -5208, -7871, -9469, -9784, -8775, -6579,  -3493, 67,     3618, 6679,
                       8835,  9796,  9431,  7790,  32767, -32768, 32767, -32768, 1,    -1}));
}
