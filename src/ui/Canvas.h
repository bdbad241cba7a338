#pragma once
// A drawing surface for custom controls: what their painting needs and no more.
// ui/win32 draws with GDI; RasterCanvas draws into memory for the tests.
#include "ui/Raster.h"
#include "ui/Types.h"

#include <memory>
#include <string>

namespace korimba::ui {

// A rectangle as the system's drawing calls take it: right and bottom excluded.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Box&) const = default;
};

// Text drawing flags, with the values of the system's DrawText.
namespace textflags {
inline constexpr unsigned Left = 0x0;
inline constexpr unsigned Center = 0x1;
inline constexpr unsigned Right = 0x2;
inline constexpr unsigned WordBreak = 0x10;
inline constexpr unsigned CalcRect = 0x400;
inline constexpr unsigned EndEllipsis = 0x8000;
} // namespace textflags

// The pixels of a one-pixel line as the system's LineTo sets them, end point excluded.
template <class Pixel> void forEachLinePixel(int fromX, int fromY, int toX, int toY, Pixel&& put) {
    const int dx = toX > fromX ? toX - fromX : fromX - toX;
    const int dy = toY > fromY ? toY - fromY : fromY - toY;
    const int steps = dx > dy ? dx : dy;
    for (int i = 0; i < steps; ++i)
        put(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
}

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    // A model colour as drawn now (system colours looked up).
    virtual Rgb resolve(Color color) const = 0;

    virtual void fill(const Box& box, Color color) = 0;
    // Fills with an 8 x 8 pattern repeated from the surface's origin.
    virtual void patternFill(const Box& box, const Raster& pattern) = 0;
    // A one-pixel line; the end point is not drawn, as the system's LineTo.
    virtual void line(int fromX, int fromY, int toX, int toY, Color color) = 0;
    virtual void pixel(int x, int y, Color color) = 0;

    // Text is drawn in this font and colour with a transparent background; '&'
    // underlines the next character and "&&" shows one '&'. With CalcRect the
    // box becomes the text's extent and nothing is drawn. Returns the text height.
    virtual void setFont(const Font& font) = 0;
    virtual void setTextColor(Color color) = 0;
    virtual int drawText(const std::string& text, Box& box, unsigned flags) = 0;

    virtual void draw(const Raster& image, int x, int y) = 0;
    virtual void stretch(const Raster& image, const Box& source, const Box& target) = 0;
    // Copies source onto target, stretched, with every pixel of one colour
    // replaced by the brush colour.
    virtual void brushCopy(const Box& target, const Raster& image, const Box& source, Rgb replaced,
                           Color brush) = 0;
    // Draws the image at its size, leaving the pixels of one colour transparent.
    virtual void drawMasked(const Raster& image, int x, int y, Rgb transparent) = 0;
    // Raster operation DSPDxax through a one-bit mask (non-zero pixels set): the
    // brush colour where the mask is set, the destination elsewhere. Stretched.
    virtual void maskFill(const Raster& mask, const Box& source, const Box& target,
                          Color brush) = 0;

    // A surface of the same kind in memory, and the copy of one onto this.
    virtual std::unique_ptr<Canvas> offscreen(int width, int height) = 0;
    virtual void copy(Canvas& source, int x, int y) = 0;
};

// A one-bit mask of an image: 1 where the pixel is exactly the given colour.
Raster maskOf(const Raster& image, Rgb color);

} // namespace korimba::ui
