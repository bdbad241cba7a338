#pragma once
// The canvas on a device context: a window's (during WM_PAINT) or an off-screen
// bitmap's. Memory images become device bitmaps only for the one call that draws them.
#include "ui/Canvas.h"
#include "ui/win32/Gdi.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace korimba::ui::win32 {

class GdiCanvas final : public Canvas {
public:
    // Draws on a device context it does not own.
    GdiCanvas(GdiObjects& gdi, HDC dc, int width, int height);
    // An off-screen bitmap compatible with a device context, owned.
    static std::unique_ptr<GdiCanvas> offscreenFor(GdiObjects& gdi, HDC like, int width,
                                                   int height);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return dc_; }

    int width() const override { return width_; }
    int height() const override { return height_; }
    Rgb resolve(Color color) const override { return colorRef(color); }
    void fill(const Box& box, Color color) override;
    void patternFill(const Box& box, const Raster& pattern) override;
    void line(int fromX, int fromY, int toX, int toY, Color color) override;
    void pixel(int x, int y, Color color) override;
    void setFont(const Font& font) override;
    void setTextColor(Color color) override;
    int drawText(const std::string& text, Box& box, unsigned flags) override;
    void draw(const Raster& image, int x, int y) override;
    void stretch(const Raster& image, const Box& source, const Box& target) override;
    void brushCopy(const Box& target, const Raster& image, const Box& source, Rgb replaced,
                   Color brush) override;
    void drawMasked(const Raster& image, int x, int y, Rgb transparent) override;
    void maskFill(const Raster& mask, const Box& source, const Box& target, Color brush) override;
    std::unique_ptr<Canvas> offscreen(int width, int height) override;
    void copy(Canvas& source, int x, int y) override;

private:
    GdiObjects& gdi_;
    HDC dc_;
    int width_;
    int height_;
    // Set for an off-screen canvas.
    std::unique_ptr<BitmapDc> offscreen_; // an off-screen canvas's own bitmap and DC
    HGDIOBJ previousFont_ = nullptr;
    int savedState_ = 0;
};

// A device bitmap of memory pixels (32 bits); the caller deletes it.
HBITMAP deviceBitmapOf(const Raster& image);
// The pixels that a drawing action leaves in a width x height memory bitmap
// (top-down, 32 bits); empty when no bitmap can be made.
Raster drawnRaster(int width, int height, const std::function<void(HDC)>& draw);
// What a window paints in a rectangle of its client area, painted into memory
// by the window itself (WM_PRINTCLIENT).
Raster printedRaster(HWND window, int left, int top, int width, int height);

} // namespace korimba::ui::win32
