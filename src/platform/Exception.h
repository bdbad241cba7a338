#pragma once
// The one error type of the program. Handlers let it propagate; the dispatcher
// shows its text in a message box and skips the rest of the handler.
#include <stdexcept>
#include <string>

namespace korimba {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// "Cannot open file %s" with the full path.
Exception fileOpenError(const std::string& path);
// "Cannot create file %s" with the full path.
Exception fileCreateError(const std::string& path);
// "Unable to write to %s" with the profile file's name.
Exception profileWriteError(const std::string& fileName);
// "'%s' is not a valid integer value".
Exception invalidIntegerError(const std::string& text);
// "Bitmap image is not valid".
Exception invalidBitmapError();
// "Cannot create window %s" with the window's name, when the system refuses it.
Exception windowCreateError(const std::string& name);

} // namespace korimba
