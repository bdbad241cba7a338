#include "ui/win32/GdiCanvas.h"

#include "platform/win32/ScreenText.h"

#include <cstring>
#include <vector>

namespace korimba::ui::win32 {

namespace {

BITMAPINFO topDownInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// 0x00BBGGRR as COLORREF, 0x00RRGGBB as a 32-bit DIB pixel.
std::uint32_t dibPixel(Rgb color) {
    return static_cast<std::uint32_t>(blueOf(color)) |
           static_cast<std::uint32_t>(greenOf(color)) << 8 |
           static_cast<std::uint32_t>(redOf(color)) << 16;
}

std::vector<std::uint32_t> dibPixels(const Raster& image) {
    std::vector<std::uint32_t> pixels;
    pixels.reserve(image.pixels().size());
    for (Rgb color : image.pixels())
        pixels.push_back(dibPixel(color));
    return pixels;
}

// A one-bit device bitmap: bit 1 (white) where the mask is set.
HBITMAP monochromeOf(const Raster& mask) {
    const int stride = (mask.width() + 15) / 16 * 2;
    std::vector<unsigned char> bits(static_cast<std::size_t>(stride * mask.height()), 0);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.at(x, y))
                bits[static_cast<std::size_t>(y * stride + x / 8)] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));
    return CreateBitmap(mask.width(), mask.height(), 1, 1, bits.data());
}

Raster replaced(const Raster& image, Rgb from, Rgb to) {
    Raster copy = image;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.at(x, y) == from)
                copy.set(x, y, to);
    return copy;
}

constexpr DWORD kDSPDxax = 0x00E20746;

} // namespace

HBITMAP deviceBitmapOf(const Raster& image) {
    BITMAPINFO info = topDownInfo(image.width(), image.height());
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        const auto pixels = dibPixels(image);
        std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    }
    return bitmap;
}

Raster drawnRaster(int width, int height, const std::function<void(HDC)>& draw) {
    Raster pixels(width, height);
    if (pixels.empty())
        return pixels;
    BITMAPINFO info = topDownInfo(width, height);
    void* bits = nullptr;
    const OwnedGdi<HBITMAP> bitmap(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return {};
    {
        const MemoryDc memory(nullptr, bitmap.get());
        draw(memory.get());
        GdiFlush();
    }
    const auto* dib = static_cast<const std::uint32_t*>(bits);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const std::uint32_t p = dib[row * width + column];
            pixels.set(column, row,
                       rgb(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                           static_cast<int>(p & 0xFF)));
        }
    return pixels;
}

Raster printedRaster(HWND window, int left, int top, int width, int height) {
    return drawnRaster(width, height, [&](HDC memory) {
        // The rectangle's corner becomes the bitmap's origin.
        SetViewportOrgEx(memory, -left, -top, nullptr);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    });
}

GdiCanvas::GdiCanvas(GdiObjects& gdi, HDC dc, int width, int height)
    : gdi_(gdi), dc_(dc), width_(width), height_(height), savedState_(SaveDC(dc)) {
    SetBkMode(dc_, TRANSPARENT);
}

std::unique_ptr<GdiCanvas> GdiCanvas::offscreenFor(GdiObjects& gdi, HDC like, int width,
                                                   int height) {
    auto offscreen = std::make_unique<BitmapDc>(
        like, CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1));
    auto canvas = std::make_unique<GdiCanvas>(gdi, offscreen->get(), width, height);
    canvas->offscreen_ = std::move(offscreen);
    return canvas;
}

GdiCanvas::~GdiCanvas() {
    RestoreDC(dc_, savedState_);
}

void GdiCanvas::fill(const Box& box, Color color) {
    RECT rect{box.left, box.top, box.right, box.bottom};
    FillRect(dc_, &rect, gdi_.brush(color));
}

void GdiCanvas::patternFill(const Box& box, const Raster& pattern) {
    const OwnedGdi<HBITMAP> bitmap(deviceBitmapOf(pattern));
    const OwnedGdi<HBRUSH> brush(CreatePatternBrush(bitmap.get()));
    SetBrushOrgEx(dc_, 0, 0, nullptr);
    RECT rect{box.left, box.top, box.right, box.bottom};
    FillRect(dc_, &rect, brush.get());
}

void GdiCanvas::line(int fromX, int fromY, int toX, int toY, Color color) {
    const OwnedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, colorRef(color)));
    const Selected inUse(dc_, pen.get());
    MoveToEx(dc_, fromX, fromY, nullptr);
    LineTo(dc_, toX, toY);
}

void GdiCanvas::pixel(int x, int y, Color color) {
    SetPixelV(dc_, x, y, colorRef(color));
}

void GdiCanvas::setFont(const Font& font) {
    SelectObject(dc_, gdi_.font(font));
}

void GdiCanvas::setTextColor(Color color) {
    SetTextColor(dc_, colorRef(color));
}

int GdiCanvas::drawText(const std::string& text, Box& box, unsigned flags) {
    RECT rect{box.left, box.top, box.right, box.bottom};
    const int height = platform::win32::drawText(dc_, text, rect, flags);
    box = Box{rect.left, rect.top, rect.right, rect.bottom};
    return height;
}

void GdiCanvas::draw(const Raster& image, int x, int y) {
    stretch(image, {0, 0, image.width(), image.height()},
            {x, y, x + image.width(), y + image.height()});
}

void GdiCanvas::stretch(const Raster& image, const Box& source, const Box& target) {
    // Only the source part goes to the system, whole: what a partial source
    // rectangle of a top-down image means differs between implementations.
    Raster part(source.width(), source.height());
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            if (image.contains(source.left + x, source.top + y))
                part.set(x, y, image.at(source.left + x, source.top + y));
    if (part.empty())
        return;
    const BITMAPINFO info = topDownInfo(part.width(), part.height());
    const auto pixels = dibPixels(part);
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchDIBits(dc_, target.left, target.top, target.width(), target.height(), 0, 0, part.width(),
                  part.height(), pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void GdiCanvas::brushCopy(const Box& target, const Raster& image, const Box& source,
                          Rgb replacedColor, Color brush) {
    stretch(replaced(image, replacedColor, colorRef(brush)), source, target);
}

void GdiCanvas::drawMasked(const Raster& image, int x, int y, Rgb transparent) {
    if (image.empty())
        return;
    // The mask keeps the destination where it is white; the image, black
    // where transparent, is then ORed in.
    BitmapDc mask(dc_, monochromeOf(maskOf(image, transparent)));
    BitmapDc picture(dc_, deviceBitmapOf(replaced(image, transparent, 0)));
    const COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc_, RGB(255, 255, 255));
    BitBlt(dc_, x, y, image.width(), image.height(), mask.get(), 0, 0, SRCAND);
    BitBlt(dc_, x, y, image.width(), image.height(), picture.get(), 0, 0, SRCPAINT);
    SetTextColor(dc_, oldText);
    SetBkColor(dc_, oldBack);
}

void GdiCanvas::maskFill(const Raster& mask, const Box& source, const Box& target, Color brush) {
    if (mask.empty())
        return;
    BitmapDc bits(dc_, monochromeOf(mask));
    const COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc_, RGB(255, 255, 255));
    const OwnedGdi<HBRUSH> solid(CreateSolidBrush(colorRef(brush)));
    {
        const Selected inUse(dc_, solid.get());
        SetStretchBltMode(dc_, COLORONCOLOR);
        StretchBlt(dc_, target.left, target.top, target.width(), target.height(), bits.get(),
                   source.left, source.top, source.width(), source.height(), kDSPDxax);
    }
    SetTextColor(dc_, oldText);
    SetBkColor(dc_, oldBack);
}

std::unique_ptr<Canvas> GdiCanvas::offscreen(int width, int height) {
    return offscreenFor(gdi_, dc_, width, height);
}

void GdiCanvas::copy(Canvas& source, int x, int y) {
    auto& from = static_cast<GdiCanvas&>(source);
    BitBlt(dc_, x, y, from.width(), from.height(), from.dc(), 0, 0, SRCCOPY);
}

} // namespace korimba::ui::win32
