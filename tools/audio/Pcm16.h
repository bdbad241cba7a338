#pragma once
// Float samples in -1..1 to 16-bit PCM.
#include <cstddef>
#include <cstdint>

namespace korimba::audio {

class Pcm16Converter {
public:
    // With dither, triangular noise of one step is added before rounding, so
    // that quiet passages fade into noise instead of into distortion.
    explicit Pcm16Converter(bool dither) : dither_(dither) {}
    void convert(const float* in, std::size_t count, std::int16_t* out);

private:
    float noise();
    bool dither_;
    std::uint32_t seed_ = 0x2545F491u;
};

} // namespace korimba::audio
