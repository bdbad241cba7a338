#include "ui/win32/DibImage.h"

#include <cstring>

namespace korimba::ui::win32 {

namespace {

struct DibLayout {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint64_t headerBytes = 0; // header, masks and colour table
    std::uint64_t pixelBytes = 0;
};

std::optional<DibLayout> readLayout(const std::string& file, std::uint32_t pixelOffset) {
    const std::size_t at = Bitmap::infoOffset;
    if (file.size() < at + 12)
        return std::nullopt;
    const std::uint32_t headerSize = readLittleEndian(file, at, 4);
    DibLayout layout;
    std::uint64_t entrySize = 4;
    std::uint64_t entries = 0;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        layout.width = readLittleEndian(file, at + 4, 2);
        layout.height = readLittleEndian(file, at + 6, 2);
        layout.bitCount = readLittleEndian(file, at + 10, 2);
        entrySize = 3;
        entries = layout.bitCount <= 8 ? (1u << layout.bitCount) : 0;
        layout.headerBytes = headerSize;
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && file.size() >= at + headerSize) {
        const auto width = static_cast<std::int32_t>(readLittleEndian(file, at + 4, 4));
        const auto height = static_cast<std::int32_t>(readLittleEndian(file, at + 8, 4));
        layout.width = width < 0 ? 0 : static_cast<std::uint64_t>(width);
        layout.height = height < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(height))
                                   : static_cast<std::uint64_t>(height);
        layout.bitCount = readLittleEndian(file, at + 14, 2);
        layout.compression = readLittleEndian(file, at + 16, 4);
        const std::uint32_t used = readLittleEndian(file, at + 32, 4);
        entries = used ? used : (layout.bitCount <= 8 ? (1u << layout.bitCount) : 0);
        const bool masksFollow =
            layout.compression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER);
        layout.headerBytes = headerSize + (masksFollow ? 12 : 0);
        if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4)
            layout.pixelBytes = readLittleEndian(file, at + 20, 4);
    } else {
        return std::nullopt;
    }
    layout.headerBytes += entries * entrySize;
    if (layout.compression == BI_RGB || layout.compression == BI_BITFIELDS) {
        const std::uint64_t stride = (layout.width * layout.bitCount + 31) / 32 * 4;
        layout.pixelBytes = stride * layout.height;
    } else if (layout.compression != BI_RLE8 && layout.compression != BI_RLE4) {
        return std::nullopt;
    }
    const std::uint64_t available = file.size() - pixelOffset;
    if (layout.width == 0 || layout.height == 0 || layout.pixelBytes == 0 ||
        layout.pixelBytes > available || at + layout.headerBytes > file.size())
        return std::nullopt;
    return layout;
}

} // namespace

std::optional<DibImage> DibImage::of(const Bitmap& bitmap) {
    if (bitmap.empty())
        return std::nullopt;
    const std::string& file = bitmap.fileImage();
    const auto layout = readLayout(file, bitmap.pixelOffset());
    if (!layout)
        return std::nullopt;
    DibImage image;
    image.header_.resize((layout->headerBytes + 3) / 4);
    std::memcpy(image.header_.data(), file.data() + Bitmap::infoOffset, layout->headerBytes);
    image.bits_ = file.data() + bitmap.pixelOffset();
    image.width_ = static_cast<int>(layout->width);
    image.height_ = static_cast<int>(layout->height);
    return image;
}

void DibImage::stretch(HDC dc, int left, int top, int width, int height) const {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, left, top, width, height, 0, 0, width_, height_, bits_, info(),
                  DIB_RGB_COLORS, SRCCOPY);
}

} // namespace korimba::ui::win32
