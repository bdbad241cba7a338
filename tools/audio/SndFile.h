#pragma once
// Sun/NeXT audio (.snd, .au): a big-endian header, then the samples.
#include "Samples.h"
#include "Streams.h"

namespace korimba::audio {

// Parses the header; throws AudioError for codings that cannot be read
// (ADPCM and the like). A file shorter than its header says is read as far as
// it goes (DataLength::EndedEarly).
AudioStream readSnd(InputStream& input);

} // namespace korimba::audio
