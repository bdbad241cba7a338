#pragma once
#include <stdexcept>

namespace korimba::audio {

// A fault of the user's file, disk or command line. Its text is the one line
// the coder prints before it gives up.
class AudioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The same for the output file, so that the message names that file.
class OutputError : public AudioError {
public:
    using AudioError::AudioError;
};

} // namespace korimba::audio
