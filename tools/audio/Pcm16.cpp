#include "Pcm16.h"

#include <cmath>

namespace korimba::audio {

float Pcm16Converter::noise() {
    // Two uniform values in 0..1 from a small LCG; their difference is triangular in -1..1.
    seed_ = seed_ * 1664525u + 1013904223u;
    const float a = static_cast<float>(seed_ >> 8) / 16777216.0f;
    seed_ = seed_ * 1664525u + 1013904223u;
    const float b = static_cast<float>(seed_ >> 8) / 16777216.0f;
    return a - b;
}

void Pcm16Converter::convert(const float* in, std::size_t count, std::int16_t* out) {
    for (std::size_t i = 0; i < count; ++i) {
        float value = std::isnan(in[i]) ? 0.0f : in[i] * 32768.0f;
        if (dither_)
            value += noise();
        value = std::nearbyint(value);
        out[i] = static_cast<std::int16_t>(value > 32767.0f    ? 32767.0f
                                           : value < -32768.0f ? -32768.0f
                                                               : value);
    }
}

} // namespace korimba::audio
