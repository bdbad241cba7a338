#include "ui/ScaledCanvas.h"

#include <algorithm>

namespace korimba::ui {

void ScaledCanvas::fill(const Box& box, Color color) {
    device_.fill(scale_.device(box), color);
}

void ScaledCanvas::patternFill(const Box& box, const Raster& pattern) {
    if (scale_.isDesign()) {
        device_.patternFill(box, pattern);
        return;
    }
    // The pattern repeats from the surface's origin in designed pixels; drawn
    // as one picture, not block by block. Nothing goes left of or above the origin.
    const Box area{std::max(box.left, 0), std::max(box.top, 0), box.right, box.bottom};
    if (pattern.empty() || area.width() <= 0 || area.height() <= 0)
        return;
    Raster filled(area.width(), area.height());
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            filled.set(
                x, y,
                pattern.at((area.left + x) % pattern.width(), (area.top + y) % pattern.height()));
    draw(filled, area.left, area.top);
}

void ScaledCanvas::line(int fromX, int fromY, int toX, int toY, Color color) {
    if (scale_.isDesign()) {
        device_.line(fromX, fromY, toX, toY, color);
        return;
    }
    // A straight one is a box: its first pixel up to its end point, which is not drawn.
    if (fromY == toY && fromX != toX) {
        fill(fromX < toX ? Box{fromX, fromY, toX, fromY + 1}
                         : Box{toX + 1, fromY, fromX + 1, fromY + 1},
             color);
        return;
    }
    if (fromX == toX && fromY != toY) {
        fill(fromY < toY ? Box{fromX, fromY, fromX + 1, toY}
                         : Box{fromX, toY + 1, fromX + 1, fromY + 1},
             color);
        return;
    }
    forEachLinePixel(fromX, fromY, toX, toY, [&](int x, int y) { pixel(x, y, color); });
}

void ScaledCanvas::pixel(int x, int y, Color color) {
    device_.fill(scale_.device(Box{x, y, x + 1, y + 1}), color);
}

int ScaledCanvas::drawText(const std::string& text, Box& box, unsigned flags) {
    Box onDevice = scale_.device(box);
    const int height = device_.drawText(text, onDevice, flags);
    if (flags & textflags::CalcRect)
        box = scale_.covering(onDevice);
    return scale_.design(height);
}

Raster ScaledCanvas::enlarged(const Raster& image, int x, int y) const {
    const Box area = scale_.device(Box{x, y, x + image.width(), y + image.height()});
    Raster shown(area.width(), area.height());
    shown.setDpi(scale_.dpi);
    int column = 0;
    for (int across = 0; across < area.width(); ++across) {
        while (scale_.device(x + column + 1) <= area.left + across)
            ++column;
        int row = 0;
        for (int down = 0; down < area.height(); ++down) {
            while (scale_.device(y + row + 1) <= area.top + down)
                ++row;
            shown.set(across, down, image.at(column, row));
        }
    }
    return shown;
}

template <class Put> void ScaledCanvas::atScale(const Raster& image, int x, int y, Put&& put) {
    // Pixels already at this scale (what the parent painted under a control) go as they are.
    if (image.dpi() == scale_.dpi)
        put(image, scale_.device(x), scale_.device(y));
    else
        put(enlarged(image, x, y), scale_.device(x), scale_.device(y));
}

void ScaledCanvas::draw(const Raster& image, int x, int y) {
    atScale(image, x, y,
            [&](const Raster& shown, int left, int top) { device_.draw(shown, left, top); });
}

void ScaledCanvas::stretch(const Raster& image, const Box& source, const Box& target) {
    device_.stretch(image, source, scale_.device(target));
}

void ScaledCanvas::brushCopy(const Box& target, const Raster& image, const Box& source,
                             Rgb replaced, Color brush) {
    device_.brushCopy(scale_.device(target), image, source, replaced, brush);
}

void ScaledCanvas::drawMasked(const Raster& image, int x, int y, Rgb transparent) {
    atScale(image, x, y, [&](const Raster& shown, int left, int top) {
        device_.drawMasked(shown, left, top, transparent);
    });
}

void ScaledCanvas::maskFill(const Raster& mask, const Box& source, const Box& target, Color brush) {
    device_.maskFill(mask, source, scale_.device(target), brush);
}

std::unique_ptr<Canvas> ScaledCanvas::offscreen(int width, int height) {
    return std::make_unique<ScaledCanvas>(
        device_.offscreen(scale_.device(width), scale_.device(height)), scale_);
}

void ScaledCanvas::copy(Canvas& source, int x, int y) {
    device_.copy(static_cast<ScaledCanvas&>(source).device_, scale_.device(x), scale_.device(y));
}

} // namespace korimba::ui
