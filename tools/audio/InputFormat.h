#pragma once
// The encoder's input, recognised by its content: a file's name says nothing
// reliable (the scripts pass temporary names, and users rename files).
#include "Samples.h"
#include "Streams.h"

namespace korimba::audio {

// The least sample rate the encoder takes.
constexpr int lowestEncodableRate = 1000;

AudioStream readAudioHeader(InputStream& input);

} // namespace korimba::audio
