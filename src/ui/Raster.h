#pragma once
// Pixels in memory: the images a custom control keeps and draws, and the
// surface of the raster canvas. Colours are 0x00BBGGRR, as GDI's COLORREF.
#include "ui/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korimba::ui {

using Rgb = std::uint32_t;

inline constexpr Rgb rgb(int red, int green, int blue) {
    return static_cast<Rgb>(red) | static_cast<Rgb>(green) << 8 | static_cast<Rgb>(blue) << 16;
}
inline constexpr int redOf(Rgb color) {
    return static_cast<int>(color & 0xFF);
}
inline constexpr int greenOf(Rgb color) {
    return static_cast<int>((color >> 8) & 0xFF);
}
inline constexpr int blueOf(Rgb color) {
    return static_cast<int>((color >> 16) & 0xFF);
}

class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Rgb fill = 0);

    bool empty() const { return width_ <= 0 || height_ <= 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
    // Points outside are ignored, as a clipped drawing would.
    void set(int x, int y, Rgb color) {
        if (contains(x, y))
            pixels_[index(x, y)] = color;
    }
    const std::vector<Rgb>& pixels() const { return pixels_; }
    // The scale the pixels were made for: a picture of the design is 96 dots
    // per inch, a window's own painting has the window's.
    int dpi() const { return dpi_; }
    void setDpi(int dpi) { dpi_ = dpi; }
    bool operator==(const Raster&) const = default;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    int width_ = 0;
    int height_ = 0;
    int dpi_ = 96;
    std::vector<Rgb> pixels_;
};

// The pixels of a .bmp file image (1, 4, 8, 24 or 32 bits, uncompressed);
// throws "Bitmap image is not valid" for anything else or a truncated one.
Raster decodeBitmap(const Bitmap& bitmap);
// A 24-bit bottom-up .bmp file image of the pixels; empty for an empty raster.
std::string encodeBitmap(const Raster& raster);

} // namespace korimba::ui
