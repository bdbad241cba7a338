#include "app/AboutIcon.h"

#include <cstdint>
#include <string>

namespace korimba::app {

namespace {

constexpr int kSize = 32;
constexpr int kGrey = 0;
constexpr int kNavy = 1;
constexpr int kWhite = 2;

void put(std::string& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Which colour the note has at (x, y), y counted from the top.
int colourAt(int x, int y) {
    const int dx = x - 11;
    const int dy = y - 24;
    if (dx * dx * 16 + dy * dy * 36 <= 16 * 36)
        return dx * dx + dy * dy <= 2 ? kWhite : kNavy;
    const bool stem = x >= 14 && x <= 15 && y >= 5 && y <= 24;
    const bool flag = y >= 5 && y <= 12 && x >= 15 && x <= 15 + (y - 4) && x <= 22;
    return stem || flag ? kNavy : kGrey;
}

} // namespace

ui::Bitmap aboutIcon() {
    const std::uint32_t palette[16] = {0xBCBCBC, 0x000080, 0xFFFFFF};
    const int rowBytes = kSize / 2;
    const std::uint32_t pixelOffset = 14 + 40 + 16 * 4;
    std::string bytes = "BM";
    put(bytes, pixelOffset + rowBytes * kSize, 4);
    put(bytes, 0, 4);
    put(bytes, pixelOffset, 4);
    put(bytes, 40, 4);
    put(bytes, kSize, 4);
    put(bytes, kSize, 4);
    put(bytes, 1, 2);
    put(bytes, 4, 2);
    put(bytes, 0, 4 * 6);
    for (std::uint32_t colour : palette)
        put(bytes, colour, 4);
    for (int row = kSize - 1; row >= 0; --row) // bottom-up rows
        for (int x = 0; x < kSize; x += 2)
            bytes += static_cast<char>(colourAt(x, row) << 4 | colourAt(x + 1, row));
    return ui::Bitmap::fromFileImage(bytes);
}

} // namespace korimba::app
