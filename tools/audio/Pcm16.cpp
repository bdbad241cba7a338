#include "Pcm16.h"

#include <cmath>
#if defined(__SSE_MATH__)
#include <xmmintrin.h>
#endif

namespace korimba::audio {

namespace {

// To the nearest integer, ties to even (the processor's default rounding), as
// nearbyint would: but without its saving and restoring of the floating-point
// control word on every call, which made it most of the time of a dithered
// decode. The value is within the 16-bit range here.
inline long roundToInteger(float value) {
#if defined(__SSE_MATH__)
    return _mm_cvtss_si32(_mm_set_ss(value));
#else
    return std::lrint(value);
#endif
}

} // namespace

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
        // Clamped before rounding, which gives what clamping after would, and
        // keeps infinities and the like out of the conversion.
        value = value > 32767.0f ? 32767.0f : value < -32768.0f ? -32768.0f : value;
        out[i] = static_cast<std::int16_t>(roundToInteger(value));
    }
}

} // namespace korimba::audio
