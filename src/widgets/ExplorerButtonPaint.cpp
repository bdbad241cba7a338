// How the flat button draws itself, on any canvas.
#include "widgets/ExplorerButton.h"

#include "ui/Application.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace korimba::widgets {

namespace {

// Two parts side by side on a line of the given length, the gap between them,
// the first one first: where each begins under the alignment, 3 pixels from an
// edge or centred as a pair.
std::pair<int, int> placePair(int length, int first, int second, int gap, Alignment alignment) {
    int start = 3;
    if (alignment == Alignment::taRightJustify)
        start = length - 3 - second - gap - first;
    else if (alignment == Alignment::taCenter)
        start = (length - (first + second + gap)) / 2;
    return {start, start + first + gap};
}

ui::Backend& backend() {
    return ui::Application::current().backend();
}

struct Thresholds {
    int t1, t2, t3;
};

// The rows are not ordered: stDark's first threshold lies below stMedium's.
Thresholds thresholdsOf(ShadingType shading) {
    switch (shading) {
    case ShadingType::stLight:
        return {205, 127, 68};
    case ShadingType::stDark:
        return {335, 274, 175};
    default:
        return {553, 231, 57};
    }
}

unsigned alignmentFlag(Alignment alignment) {
    switch (alignment) {
    case Alignment::taLeftJustify:
        return ui::textflags::Left;
    case Alignment::taRightJustify:
        return ui::textflags::Right;
    default:
        return ui::textflags::Center;
    }
}

// The caption buffer holds 256 characters with its terminator.
constexpr std::size_t kCaptionBuffer = 256;

} // namespace

ui::Raster monochromeOf(const ui::Raster& glyph, ShadingType shading, ui::Rgb highlight,
                        ui::Rgb shadow) {
    if (glyph.empty())
        return {};
    ui::Raster mono = glyph;
    const ui::Rgb transparent = glyph.at(0, 0);
    const Thresholds limits = thresholdsOf(shading);
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const ui::Rgb color = glyph.at(x, y);
            if (color == transparent)
                continue;
            const int sum = ui::redOf(color) + ui::greenOf(color) + ui::blueOf(color);
            ui::Rgb shade = ui::rgb(0, 0, 0);
            if (sum > limits.t1)
                shade = ui::rgb(255, 255, 255);
            else if (sum > limits.t2)
                shade = highlight;
            else if (sum > limits.t3)
                shade = shadow;
            mono.set(x, y, shade);
        }
    }
    return mono;
}

ui::Raster checkerPattern(ui::Rgb face, ui::Rgb highlight) {
    ui::Raster pattern(8, 8, face);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (x % 2 == y % 2)
                pattern.set(x, y, highlight);
    return pattern;
}

void TExplorerButton::captureBackground() {
    // Drawn by the parent itself, not copied from the screen: the screen may not
    // show the parent yet (a button repainted before the parent's first paint,
    // pixels still on their way) or may show another window over the button.
    background_ = backend().parentPixels(*this);
    backgroundCaptured_ = !background_.empty();
}

void TExplorerButton::paint(ui::Canvas& window) {
    if (wiggling_ && !visible()) {
        paintedSinceCreation_ = true;
        return;
    }
    const bool transparent = (options_ & boTransparent) != 0;
    if (transparent && !backgroundCaptured_)
        captureBackground();
    std::unique_ptr<ui::Canvas> image = window.offscreen(width(), height());
    if (transparent && backgroundCaptured_)
        image->draw(background_, 0, 0);
    else
        image->fill({0, 0, width(), height()}, parent() ? parent()->color() : color());
    drawContent(*image);
    window.copy(*image, 0, 0);
    // The images are memory pixels only: no drawing handles outlive the paint.
    paintedSinceCreation_ = true;
}

void TExplorerButton::drawContent(ui::Canvas& canvas) {
    static const bool endEllipsis = backend().endEllipsisAvailable();
    const bool office = dropDownStyle_ == DropDownStyle::ddsOffice;
    const int h = height();
    const int a = office ? width() - ArrowPartWidth : width();
    const int e = (options_ & boNoDepress) ? 0 : 1;

    if (down_ && (options_ & boShowDownPattern)) {
        static const ui::Raster pattern = checkerPattern(canvas.resolve(ui::colors::BtnFace),
                                                         canvas.resolve(ui::colors::BtnHighlight));
        canvas.patternFill({0, 0, a, h}, pattern);
    }

    canvas.setFont(font());
    const bool captionShown = !(options_ & boIconOnly) && !caption().empty();
    std::string buffer;
    int wt = 0;
    int ht = 0;
    int g = 0;
    const unsigned align = alignmentFlag(alignment_);
    const unsigned wrap = (options_ & boWordWrap) ? ui::textflags::WordBreak : 0;
    if (captionShown) {
        g = 2;
        buffer = caption().substr(0, kCaptionBuffer - 1 - (wrap ? 1 : 0));
        if (wrap)
            buffer += ' ';
        ui::Box measured{0, 0, a - 4, 0};
        canvas.drawText(buffer, measured, align | wrap | ui::textflags::CalcRect);
        wt = std::min(measured.right, a - 4);
        ht = measured.bottom;
    }

    int gw = 0;
    int gh = 0;
    switch (buttonSize_) {
    case ButtonSize::bsCustom:
        gw = bitmap_.width();
        gh = bitmap_.height();
        break;
    case ButtonSize::bsSmall:
        gw = gh = 16;
        break;
    case ButtonSize::bsLarge:
        gw = gh = 32;
        break;
    }
    const bool popupMark = (options_ & boPopupMark) && !office && (dropDownMenu_ || explorerPopup_);
    if (!office && (explorerPopup_ || (dropDownMenu_ && (options_ & boPopupMark))))
        gw += 10;

    int tx = 0;
    int ty = 0;
    int gx = 0;
    int gy = 0;
    int d = wt;
    if (bitmap_.empty()) {
        int w = wt;
        if (dropDownMenu_ && (options_ & boPopupMark)) {
            w = wt + 10;
            d = std::min(wt, a - 14);
        }
        ty = (h - ht) / 2;
        switch (alignment_) {
        case Alignment::taLeftJustify:
            tx = 3;
            break;
        case Alignment::taRightJustify:
            tx = a - w - 3;
            break;
        case Alignment::taCenter:
            tx = (a - w) / 2;
            break;
        }
    } else if (layout_ == ButtonLayout::blBitmapTop || layout_ == ButtonLayout::blBitmapBottom) {
        if (layout_ == ButtonLayout::blBitmapTop)
            std::tie(gy, ty) = placePair(h, gh, ht, g, Alignment::taCenter);
        else
            std::tie(ty, gy) = placePair(h, ht, gh, g, Alignment::taCenter);
        switch (alignment_) {
        case Alignment::taLeftJustify:
            tx = gx = 3;
            break;
        case Alignment::taRightJustify:
            tx = a - wt - 3;
            gx = a - gw - 3;
            break;
        case Alignment::taCenter:
            gx = (a - gw) / 2;
            tx = (a - wt) / 2;
            break;
        }
        d = wt;
    } else {
        if (a - 4 < gw + wt + g)
            wt = a - 4 - g - gw;
        gy = (h - gh) / 2;
        ty = (h - ht) / 2;
        if (layout_ == ButtonLayout::blBitmapLeft)
            std::tie(gx, tx) = placePair(a, gw, wt, g, alignment_);
        else
            std::tie(tx, gx) = placePair(a, wt, gw, g, alignment_);
        d = wt;
    }
    if (wrap && tx + d > a - 5)
        d = a - tx - 5;
    ui::Box r{tx, ty, tx + d, ty + ht};

    const unsigned drawFlags = align | wrap | (endEllipsis ? ui::textflags::EndEllipsis : 0);
    auto drawCaption = [&](ui::Box box, ui::Color color) {
        canvas.setTextColor(color);
        canvas.drawText(buffer, box, drawFlags);
    };
    auto shifted = [](ui::Box box, int by) {
        return ui::Box{box.left + by, box.top + by, box.right + by, box.bottom + by};
    };
    ui::Color textColor = font().color;
    const int glyphWidth = bitmap_.width();

    switch (look()) {
    case Look::Disabled:
        if (down_)
            drawBevel(canvas, false, a);
        if (!disabledBitmap_.empty())
            drawGlyph(canvas, disabledBitmap_, gx, gy);
        else if (!bitmap_.empty())
            drawEmbossed(canvas, bitmap_, gx, gy);
        if (captionShown) {
            drawCaption(shifted(r, 1), ui::colors::BtnHighlight);
            drawCaption(r, ui::colors::BtnShadow);
            textColor = ui::colors::BtnShadow;
        }
        break;
    case Look::Pressed:
        drawBevel(canvas, false, a);
        if (bevelStyle_ == BevelStyle::bsRaised && !(options_ & boNoDepress))
            r = shifted(r, 1);
        if (captionShown)
            drawCaption(r, textColor);
        if (bitmap_.empty()) {
            if (popupMark)
                drawArrow(canvas, tx + d + 3 + e, ty + ht / 2 + e, false, textColor);
        } else {
            drawGlyph(canvas, bitmap_, gx + e, gy + e);
            if (popupMark)
                drawArrow(canvas, gx + glyphWidth + 3 + e, gy + gh / 2 + e, false, textColor);
        }
        break;
    case Look::Raised:
    case Look::Idle: {
        const bool idle = look() == Look::Idle;
        if (idle)
            textColor = unselectedFontColor_;
        else
            drawBevel(canvas, true, a);
        if (bevelStyle_ == BevelStyle::bsLowered)
            r = shifted(r, 1);
        if (captionShown)
            drawCaption(r, textColor);
        if (bitmap_.empty()) {
            if (popupMark)
                drawArrow(canvas, tx + d + 3, ty + ht / 2, false, textColor);
        } else {
            const ui::Raster* glyph = &bitmap_;
            if (idle && (options_ & boMonoDisplay))
                glyph = noFocusBitmap_.empty() ? &mono_ : &noFocusBitmap_;
            drawGlyph(canvas, *glyph, gx, gy);
            if (popupMark)
                drawArrow(canvas, gx + glyphWidth + 3, gy + gh / 2, false, textColor);
        }
        break;
    }
    }

    if (office) {
        if (arrowPressed_ || panelOpen_)
            drawArrow(canvas, width() - 8, h / 2 + 1, true, textColor);
        else
            drawArrow(canvas, width() - 9, h / 2, true, textColor);
    }
}

void TExplorerButton::drawBevel(ui::Canvas& canvas, bool raised, int a) {
    if (!(options_ & boShowBevel))
        return;
    const int h = height();
    const ui::Color light = ui::colors::BtnHighlight;
    const ui::Color dark = ui::colors::BtnShadow;
    const bool lightFirst = (bevelStyle_ == BevelStyle::bsRaised) == raised;
    ui::Color first = lightFirst ? light : dark;
    ui::Color second = lightFirst ? dark : light;
    canvas.line(0, h - 1, 0, 0, first);
    canvas.line(0, 0, a - 1, 0, first);
    canvas.line(a - 1, 0, a - 1, h - 1, second);
    canvas.line(a - 1, h - 1, 0, h - 1, second);
    if (dropDownStyle_ != DropDownStyle::ddsOffice)
        return;
    // The arrow part follows its own pressed state, not the main part's.
    const bool partDown = arrowPressed_ || panelOpen_;
    const bool partLightFirst = partDown == (bevelStyle_ == BevelStyle::bsLowered);
    first = partLightFirst ? light : dark;
    second = partLightFirst ? dark : light;
    const int w = width();
    canvas.line(a, h - 1, a, 0, first);
    canvas.line(a, 0, w - 1, 0, first);
    canvas.line(w - 1, 0, w - 1, h - 1, second);
    canvas.line(w - 1, h - 1, a - 1, h - 1, second);
}

void TExplorerButton::drawArrow(ui::Canvas& canvas, int x, int y, bool office, ui::Color color) {
    auto row = [&](int dy, int from, int to) {
        for (int px = x + from; px <= x + to; ++px)
            canvas.pixel(px, y + dy, color);
    };
    if (!office)
        row(-1, 0, 6);
    row(0, 1, 5);
    row(1, 2, 4);
    row(2, 3, 3);
}

void TExplorerButton::drawGlyph(ui::Canvas& canvas, const ui::Raster& image, int x, int y) {
    if (image.empty())
        return;
    const ui::Rgb corner = image.at(0, 0);
    if (options_ & boTransparent) {
        canvas.drawMasked(image, x, y, corner);
        return;
    }
    const ui::Color brush = parent() ? parent()->color() : color();
    switch (buttonSize_) {
    case ButtonSize::bsCustom:
        canvas.brushCopy({x, y, x + image.width(), y + image.height()}, image,
                         {0, 0, image.width(), image.height()}, corner, brush);
        break;
    case ButtonSize::bsSmall:
        canvas.brushCopy({x, y, x + 16, y + 16}, image, {0, 0, 16, 16}, corner, brush);
        break;
    case ButtonSize::bsLarge:
        canvas.brushCopy({x, y, x + 32, y + 32}, image, {0, 0, 16, 16}, corner, brush);
        break;
    }
}

void TExplorerButton::drawEmbossed(ui::Canvas& canvas, const ui::Raster& image, int x, int y) {
    const ui::Raster mask = ui::maskOf(image, ui::rgb(0, 0, 0));
    ui::Box source{0, 0, image.width(), image.height()};
    int size = 0;
    if (buttonSize_ == ButtonSize::bsSmall) {
        source = {0, 0, 16, 16};
        size = 16;
    } else if (buttonSize_ == ButtonSize::bsLarge) {
        source = {0, 0, 16, 16};
        size = 32;
    }
    const int w = size ? size : image.width();
    const int h = size ? size : image.height();
    canvas.maskFill(mask, source, {x + 1, y + 1, x + 1 + w, y + 1 + h}, ui::colors::BtnHighlight);
    canvas.maskFill(mask, source, {x, y, x + w, y + h}, ui::colors::BtnShadow);
}

} // namespace korimba::widgets
