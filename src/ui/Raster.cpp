#include "ui/Raster.h"

#include "platform/Exception.h"

namespace korimba::ui {

Raster::Raster(int width, int height, Rgb fill)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

namespace {

struct Layout {
    std::uint32_t headerSize;
    int width;
    int height;
    bool topDown;
    int bits;
    std::uint32_t compression;
    std::uint32_t paletteColors;
};

Layout layoutOf(const std::string& file) {
    Layout layout{};
    layout.headerSize = readLittleEndian(file, 14, 4);
    if (layout.headerSize == 12) {
        layout.width = static_cast<int>(readLittleEndian(file, 18, 2));
        layout.height = static_cast<int>(readLittleEndian(file, 20, 2));
        layout.bits = static_cast<int>(readLittleEndian(file, 24, 2));
        return layout;
    }
    layout.width = static_cast<std::int32_t>(readLittleEndian(file, 18, 4));
    const auto height = static_cast<std::int32_t>(readLittleEndian(file, 22, 4));
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    layout.bits = static_cast<int>(readLittleEndian(file, 28, 2));
    layout.compression = readLittleEndian(file, 30, 4);
    layout.paletteColors = readLittleEndian(file, 46, 4);
    return layout;
}

} // namespace

Raster decodeBitmap(const Bitmap& bitmap) {
    if (bitmap.empty())
        return {};
    const std::string& file = bitmap.fileImage();
    const Layout layout = layoutOf(file);
    // BI_BITFIELDS with the usual masks is what 32-bit writers put there.
    const bool plain = layout.compression == 0 || (layout.compression == 3 && layout.bits == 32);
    if (!plain || layout.bits == 16)
        throw invalidBitmapError();
    const std::size_t paletteEntry = layout.headerSize == 12 ? 3 : 4;
    std::size_t colors = 0;
    if (layout.bits <= 8)
        colors = layout.paletteColors ? layout.paletteColors : (std::size_t{1} << layout.bits);
    const std::size_t paletteAt = Bitmap::infoOffset + layout.headerSize;
    const std::size_t stride = (static_cast<std::size_t>(layout.width) * layout.bits + 31) / 32 * 4;
    const std::size_t pixelsAt = bitmap.pixelOffset();
    if (paletteAt + colors * paletteEntry > file.size() ||
        pixelsAt + stride * static_cast<std::size_t>(layout.height) > file.size())
        throw invalidBitmapError();
    auto byteAt = [&](std::size_t at) { return static_cast<unsigned char>(file[at]); };
    auto paletteColor = [&](std::size_t index) -> Rgb {
        if (index >= colors)
            return 0;
        const std::size_t at = paletteAt + index * paletteEntry;
        return rgb(byteAt(at + 2), byteAt(at + 1), byteAt(at));
    };
    Raster raster(layout.width, layout.height);
    for (int row = 0; row < layout.height; ++row) {
        const int stored = layout.topDown ? row : layout.height - 1 - row;
        const std::size_t line = pixelsAt + stride * static_cast<std::size_t>(stored);
        for (int column = 0; column < layout.width; ++column) {
            const auto x = static_cast<std::size_t>(column);
            Rgb color = 0;
            switch (layout.bits) {
            case 1:
                color = paletteColor((byteAt(line + x / 8) >> (7 - x % 8)) & 1);
                break;
            case 4:
                color = paletteColor((byteAt(line + x / 2) >> (x % 2 ? 0 : 4)) & 0xF);
                break;
            case 8:
                color = paletteColor(byteAt(line + x));
                break;
            case 24:
                color =
                    rgb(byteAt(line + x * 3 + 2), byteAt(line + x * 3 + 1), byteAt(line + x * 3));
                break;
            default:
                color =
                    rgb(byteAt(line + x * 4 + 2), byteAt(line + x * 4 + 1), byteAt(line + x * 4));
                break;
            }
            raster.set(column, row, color);
        }
    }
    return raster;
}

std::string encodeBitmap(const Raster& raster) {
    if (raster.empty())
        return {};
    const auto width = static_cast<std::size_t>(raster.width());
    const auto height = static_cast<std::size_t>(raster.height());
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    std::string file(54 + stride * height, '\0');
    auto put = [&](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            file[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<std::uint32_t>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, static_cast<std::uint32_t>(stride * height), 4);
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t line = 54 + stride * (height - 1 - row);
        for (std::size_t column = 0; column < width; ++column) {
            const Rgb color = raster.at(static_cast<int>(column), static_cast<int>(row));
            put(line + column * 3, static_cast<std::uint32_t>(blueOf(color)), 1);
            put(line + column * 3 + 1, static_cast<std::uint32_t>(greenOf(color)), 1);
            put(line + column * 3 + 2, static_cast<std::uint32_t>(redOf(color)), 1);
        }
    }
    return file;
}

} // namespace korimba::ui
