#pragma once
// A picture's file image made ready for StretchDIBits: the header and colour table
// copied to aligned storage, the pixels used in place. Only a picture whose header,
// colour table and pixel rows all lie within the file image is drawn; a truncated
// file would otherwise make GDI read past the end of it.
#include "ui/Bitmap.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace korimba::ui::win32 {

class DibImage {
public:
    static std::optional<DibImage> of(const Bitmap& bitmap);

    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(header_.data()); }
    const void* bits() const { return bits_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void stretch(HDC dc, int left, int top, int width, int height) const;

private:
    std::vector<std::uint32_t> header_;
    const void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace korimba::ui::win32
