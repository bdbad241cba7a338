#pragma once
// The display's scale. The model and the painting code work at the design's
// 96 dots per inch; a window at another scale shows every designed position,
// size and font multiplied by dpi / 96, rounded as the system's MulDiv does.
#include "ui/Canvas.h"
#include "ui/Types.h"

namespace korimba::ui {

inline constexpr int kDesignDpi = 96;

// value * numerator / denominator, rounded half away from zero.
constexpr int mulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

struct Scale {
    int dpi = kDesignDpi;

    bool isDesign() const { return dpi == kDesignDpi; }
    // A designed length or coordinate on the screen, and back.
    int device(int design) const { return mulDiv(design, dpi, kDesignDpi); }
    int design(int device) const { return mulDiv(device, kDesignDpi, dpi); }
    // By its edges, so that boxes that meet at 96 dpi meet at every scale.
    Box device(const Box& box) const {
        return {device(box.left), device(box.top), device(box.right), device(box.bottom)};
    }
    Box design(const Box& box) const {
        return {design(box.left), design(box.top), design(box.right), design(box.bottom)};
    }
    // A designed length that, scaled from any designed place, still holds the
    // given length on the screen (a text's extent, never cut when it is drawn).
    int covering(int device) const {
        int length = design(device);
        while (static_cast<long long>(length) * dpi / kDesignDpi < device)
            ++length;
        return length;
    }
    Box covering(const Box& box) const {
        const int left = design(box.left);
        const int top = design(box.top);
        return {left, top, left + covering(box.width()), top + covering(box.height())};
    }
    Rect device(const Rect& rect) const {
        const Box box =
            device(Box{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height});
        return {box.left, box.top, box.width(), box.height()};
    }
    Point device(Point point) const { return {device(point.x), device(point.y)}; }
    Point design(Point point) const { return {design(point.x), design(point.y)}; }
    Font device(Font font) const {
        font.height = device(font.height);
        return font;
    }
};

} // namespace korimba::ui
