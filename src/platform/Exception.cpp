#include "platform/Exception.h"

namespace korimba {

Exception fileOpenError(const std::string& path) {
    return Exception("Cannot open file " + path);
}

Exception fileCreateError(const std::string& path) {
    return Exception("Cannot create file " + path);
}

Exception profileWriteError(const std::string& fileName) {
    return Exception("Unable to write to " + fileName);
}

Exception invalidIntegerError(const std::string& text) {
    return Exception("'" + text + "' is not a valid integer value");
}

Exception invalidBitmapError() {
    return Exception("Bitmap image is not valid");
}

Exception windowCreateError(const std::string& name) {
    return Exception("Cannot create window " + name);
}

} // namespace korimba
