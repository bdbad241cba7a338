#pragma once
// A device-independent bitmap as read from a .bmp file.
#include <cstdint>
#include <string>

namespace korimba::platform {
class FileSystem;
}

namespace korimba::ui {

// The little-endian number of size bytes at an offset of a file image.
std::uint32_t readLittleEndian(const std::string& bytes, std::size_t at, int size);

class Bitmap {
public:
    Bitmap() = default;
    // The whole .bmp file image; throws "Bitmap image is not valid" when it is not one.
    static Bitmap fromFileImage(std::string fileImage);
    // Throws "Cannot open file %s" when the file cannot be read.
    static Bitmap load(const platform::FileSystem& files, const std::string& path);

    bool empty() const { return fileImage_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    const std::string& fileImage() const { return fileImage_; }
    // Offset of the pixel data and of the info header within the file image.
    std::uint32_t pixelOffset() const { return pixelOffset_; }
    static constexpr std::uint32_t infoOffset = 14;

private:
    std::string fileImage_;
    int width_ = 0;
    int height_ = 0;
    std::uint32_t pixelOffset_ = 0;
};

} // namespace korimba::ui
