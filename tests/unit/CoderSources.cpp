// The native tree has no target for the coders' portable format code (the
// coders themselves are Windows programs), so the unit tests compile it here.
#include "../../tools/audio/Arguments.cpp"
#include "../../tools/audio/InputFormat.cpp"
#include "../../tools/audio/MpegFrames.cpp"
#include "../../tools/audio/Pcm16.cpp"
#include "../../tools/audio/Samples.cpp"
#include "../../tools/audio/SndFile.cpp"
#include "../../tools/audio/Streams.cpp"
#include "../../tools/audio/WavFile.cpp"
