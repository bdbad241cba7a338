#include "ui/Bitmap.h"

#include "platform/Exception.h"
#include "platform/Platform.h"

namespace korimba::ui {

std::uint32_t readLittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

namespace {

bool validBitCount(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

Bitmap Bitmap::fromFileImage(std::string fileImage) {
    // File header (14 bytes) then at least a 40-byte info header or a 12-byte core header.
    if (fileImage.size() < 26 || fileImage.compare(0, 2, "BM") != 0)
        throw invalidBitmapError();
    const std::uint32_t headerSize = readLittleEndian(fileImage, 14, 4);
    Bitmap bitmap;
    std::uint32_t bits = 0;
    if (headerSize == 12) {
        bitmap.width_ = static_cast<int>(readLittleEndian(fileImage, 18, 2));
        bitmap.height_ = static_cast<int>(readLittleEndian(fileImage, 20, 2));
        bits = readLittleEndian(fileImage, 24, 2);
    } else if (headerSize >= 40 && fileImage.size() >= 14 + 40) {
        bitmap.width_ = static_cast<std::int32_t>(readLittleEndian(fileImage, 18, 4));
        const auto height = static_cast<std::int32_t>(readLittleEndian(fileImage, 22, 4));
        bitmap.height_ = height < 0 ? -height : height;
        bits = readLittleEndian(fileImage, 28, 2);
    } else {
        throw invalidBitmapError();
    }
    bitmap.pixelOffset_ = readLittleEndian(fileImage, 10, 4);
    if (bitmap.width_ <= 0 || bitmap.height_ <= 0 || !validBitCount(bits) ||
        bitmap.pixelOffset_ >= fileImage.size())
        throw invalidBitmapError();
    bitmap.fileImage_ = std::move(fileImage);
    return bitmap;
}

Bitmap Bitmap::load(const platform::FileSystem& files, const std::string& path) {
    auto content = files.readFile(path);
    if (!content)
        throw fileOpenError(path);
    return fromFileImage(std::move(*content));
}

} // namespace korimba::ui
