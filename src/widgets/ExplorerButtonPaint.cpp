// How the flat button draws itself, on any canvas.
#include "widgets/ExplorerButton.h"

#include "ui/Application.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace korimba::widgets {

namespace {

// The caption buffer holds 256 characters with its terminator.
constexpr std::size_t kCaptionBuffer = 256;
// Room that the popup mark of a ddsIExplorer drop-down takes beside caption or glyph.
constexpr int kMarkRoom = 10;

// Where an extent of the given length begins on a line under the alignment:
// 3 pixels from an edge, or centred.
int alignedStart(int line, int extent, Alignment alignment) {
    switch (alignment) {
    case Alignment::taLeftJustify:
        return 3;
    case Alignment::taRightJustify:
        return line - 3 - extent;
    default:
        return (line - extent) / 2;
    }
}

int centred(int line, int extent) {
    return alignedStart(line, extent, Alignment::taCenter);
}

// Two parts side by side on a line, the gap between them, the first one first:
// where each begins when the pair is aligned as one.
std::pair<int, int> placePair(int line, int first, int second, int gap, Alignment alignment) {
    const int start = alignedStart(line, first + gap + second, alignment);
    return {start, start + first + gap};
}

// Where caption and glyph begin in the main part, and how wide the caption is drawn.
struct Placement {
    ui::Point caption;
    ui::Point glyph;
    int captionWidth = 0;
};

// No glyph: the caption centred up and down and aligned across; a menu's popup
// mark is aligned with it and cuts it short.
Placement placeCaptionAlone(ui::Point area, ui::Point text, bool menuMark, Alignment alignment) {
    Placement place;
    place.captionWidth = menuMark ? std::min(text.x, area.x - 4 - kMarkRoom) : text.x;
    const int aligned = menuMark ? text.x + kMarkRoom : text.x;
    place.caption = {alignedStart(area.x, aligned, alignment), centred(area.y, text.y)};
    return place;
}

// Glyph above or below the caption: the pair centred up and down, each aligned across.
Placement placeStacked(ui::Point area, ui::Point text, ui::Point glyph, int gap, bool glyphFirst,
                       Alignment alignment) {
    Placement place;
    const Alignment centre = Alignment::taCenter;
    if (glyphFirst)
        std::tie(place.glyph.y, place.caption.y) = placePair(area.y, glyph.y, text.y, gap, centre);
    else
        std::tie(place.caption.y, place.glyph.y) = placePair(area.y, text.y, glyph.y, gap, centre);
    place.caption.x = alignedStart(area.x, text.x, alignment);
    place.glyph.x = alignedStart(area.x, glyph.x, alignment);
    place.captionWidth = text.x;
    return place;
}

// Glyph left or right of the caption: each centred up and down, the pair
// aligned across as one; the caption gives way to the glyph.
Placement placeSideBySide(ui::Point area, ui::Point text, ui::Point glyph, int gap, bool glyphFirst,
                          Alignment alignment) {
    Placement place;
    place.captionWidth = std::min(text.x, area.x - 4 - gap - glyph.x);
    place.glyph.y = centred(area.y, glyph.y);
    place.caption.y = centred(area.y, text.y);
    if (glyphFirst)
        std::tie(place.glyph.x, place.caption.x) =
            placePair(area.x, glyph.x, place.captionWidth, gap, alignment);
    else
        std::tie(place.caption.x, place.glyph.x) =
            placePair(area.x, place.captionWidth, glyph.x, gap, alignment);
    return place;
}

ui::Box shifted(ui::Box box, int by) {
    return {box.left + by, box.top + by, box.right + by, box.bottom + by};
}

ui::Point shifted(ui::Point point, int by) {
    return {point.x + by, point.y + by};
}

ui::Backend& backend() {
    return ui::Application::current().backend();
}

// Decided once, as the system's text drawing does not change while the program runs.
bool endEllipsisAvailable() {
    static const bool available = backend().endEllipsisAvailable();
    return available;
}

// The pattern of a down button, shared by all buttons; made again when the
// system colours it was made from have changed since.
const ui::Raster& downPattern() {
    struct Made {
        ui::Rgb face = 0;
        ui::Rgb highlight = 0;
        ui::Raster pattern;
    };
    static Made made;
    ui::Backend& desktop = backend();
    const ui::Rgb face = desktop.systemColor(ui::colors::BtnFace);
    const ui::Rgb highlight = desktop.systemColor(ui::colors::BtnHighlight);
    if (made.pattern.empty() || made.face != face || made.highlight != highlight)
        made = {face, highlight, checkerPattern(face, highlight)};
    return made.pattern;
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
    const bool transparent = has(boTransparent);
    if (transparent && !backgroundCaptured_)
        captureBackground();
    std::unique_ptr<ui::Canvas> image = window.offscreen(width(), height());
    if (transparent && backgroundCaptured_)
        image->draw(background_, 0, 0);
    else
        image->fill({0, 0, width(), height()}, backgroundColor());
    drawContent(*image);
    window.copy(*image, 0, 0);
    // The images are memory pixels only: no drawing handles outlive the paint.
    paintedSinceCreation_ = true;
}

// ---- layout

// What of a glyph the button size draws, and how big.
struct TExplorerButton::GlyphFit {
    ui::Box source;
    ui::Point size;
};

// The caption as measured and drawn (empty when none is drawn), and its extent.
struct TExplorerButton::MeasuredCaption {
    std::string text;
    int width = 0;
    int height = 0;
};

// Where a paint puts caption, glyph and popup mark, before the look moves them.
struct TExplorerButton::ContentLayout {
    std::string caption;
    // Alignment, word break and end ellipsis of the caption's drawing.
    unsigned textFlags = 0;
    ui::Box captionBox;
    ui::Point glyphAt;
    bool popupMark = false;
    ui::Point markAt;
};

// The whole button, or all but a ddsOffice button's arrow part.
int TExplorerButton::mainPartWidth() const {
    return officeStyle() ? width() - ArrowPartWidth : width();
}

ui::Color TExplorerButton::backgroundColor() const {
    return parent() ? parent()->color() : color();
}

// bsCustom: the whole image at its size; bsSmall: its top-left 16 x 16;
// bsLarge: the same stretched to 32 x 32.
TExplorerButton::GlyphFit TExplorerButton::glyphFit(const ui::Raster& image) const {
    switch (buttonSize_) {
    case ButtonSize::bsSmall:
        return {{0, 0, 16, 16}, {16, 16}};
    case ButtonSize::bsLarge:
        return {{0, 0, 16, 16}, {32, 32}};
    default:
        return {{0, 0, image.width(), image.height()}, {image.width(), image.height()}};
    }
}

TExplorerButton::MeasuredCaption TExplorerButton::measureCaption(ui::Canvas& canvas,
                                                                 unsigned flags) const {
    MeasuredCaption measured;
    if (has(boIconOnly) || caption().empty())
        return measured;
    const bool wrap = has(boWordWrap);
    // A wrapped caption is measured and drawn with a trailing space.
    measured.text = caption().substr(0, kCaptionBuffer - 1 - (wrap ? 1 : 0));
    if (wrap)
        measured.text += ' ';
    const int room = mainPartWidth() - 4;
    ui::Box extent{0, 0, room, 0};
    canvas.drawText(measured.text, extent, flags | ui::textflags::CalcRect);
    measured.width = std::min(extent.right, room);
    measured.height = extent.bottom;
    return measured;
}

TExplorerButton::ContentLayout TExplorerButton::layOutContent(ui::Canvas& canvas) const {
    const int part = mainPartWidth();
    const int h = height();
    const unsigned flags =
        alignmentFlag(alignment_) | (has(boWordWrap) ? ui::textflags::WordBreak : 0);
    const MeasuredCaption text = measureCaption(canvas, flags);
    const int gap = text.text.empty() ? 0 : 2;
    const bool office = officeStyle();
    const bool menuMark = dropDownMenu_ && has(boPopupMark);

    ui::Point glyphBox = glyphFit(bitmap_).size;
    if (!office && (explorerPopup_ || menuMark))
        glyphBox.x += kMarkRoom;

    const ui::Point area{part, h};
    const ui::Point extent{text.width, text.height};
    Placement place;
    if (bitmap_.empty())
        place = placeCaptionAlone(area, extent, menuMark, alignment_);
    else if (layout_ == ButtonLayout::blBitmapTop || layout_ == ButtonLayout::blBitmapBottom)
        place = placeStacked(area, extent, glyphBox, gap, layout_ == ButtonLayout::blBitmapTop,
                             alignment_);
    else
        place = placeSideBySide(area, extent, glyphBox, gap, layout_ == ButtonLayout::blBitmapLeft,
                                alignment_);
    // A wrapped caption keeps 5 pixels from the part's right edge.
    if (has(boWordWrap) && place.caption.x + place.captionWidth > part - 5)
        place.captionWidth = part - place.caption.x - 5;

    ContentLayout layout;
    layout.caption = std::move(text.text);
    layout.textFlags = flags | (endEllipsisAvailable() ? ui::textflags::EndEllipsis : 0);
    layout.captionBox = {place.caption.x, place.caption.y, place.caption.x + place.captionWidth,
                         place.caption.y + text.height};
    layout.glyphAt = place.glyph;
    layout.popupMark = has(boPopupMark) && !office && (dropDownMenu_ || explorerPopup_);
    // After the caption, or after the glyph itself (not its box), on the middle row.
    if (bitmap_.empty())
        layout.markAt = {layout.captionBox.right + 3, place.caption.y + text.height / 2};
    else
        layout.markAt = {place.glyph.x + bitmap_.width() + 3, place.glyph.y + glyphBox.y / 2};
    return layout;
}

// ---- the looks

void TExplorerButton::drawContent(ui::Canvas& canvas) {
    if (down_ && has(boShowDownPattern))
        canvas.patternFill({0, 0, mainPartWidth(), height()}, downPattern());
    canvas.setFont(font());
    const ContentLayout layout = layOutContent(canvas);
    const Look now = look();
    switch (now) {
    case Look::Disabled:
        paintDisabled(canvas, layout);
        break;
    case Look::Pressed:
        paintPressed(canvas, layout);
        break;
    case Look::Raised:
        paintRaised(canvas, layout);
        break;
    case Look::Idle:
        paintIdle(canvas, layout);
        break;
    }
    if (officeStyle()) {
        // The arrow part's arrow goes in while its part is pressed or its panel open.
        const int middle = height() / 2;
        const ui::Point anchor = (arrowPressed_ || panelOpen_) ? ui::Point{width() - 8, middle + 1}
                                                               : ui::Point{width() - 9, middle};
        drawArrow(canvas, anchor, Arrow::ArrowPart, textColorOf(now, layout));
    }
    if (keyboardFocus())
        drawFocusMark(canvas, textColorOf(now, layout));
}

// A dotted frame two pixels in, in the caption's colour: a picture under a
// transparent button would swallow an inverted one.
void TExplorerButton::drawFocusMark(ui::Canvas& canvas, ui::Color color) {
    const int right = mainPartWidth() - 3;
    const int bottom = height() - 3;
    for (int x = 2; x <= right; x += 2) {
        canvas.pixel(x, 2, color);
        canvas.pixel(x, bottom, color);
    }
    for (int y = 2; y <= bottom; y += 2) {
        canvas.pixel(2, y, color);
        canvas.pixel(right, y, color);
    }
}

// The colour the look draws caption and arrows in.
ui::Color TExplorerButton::textColorOf(Look look, const ContentLayout& layout) const {
    if (look == Look::Idle)
        return unselectedFontColor_;
    if (look == Look::Disabled && !layout.caption.empty())
        return ui::colors::BtnShadow;
    return font().color;
}

void TExplorerButton::paintDisabled(ui::Canvas& canvas, const ContentLayout& layout) {
    if (down_)
        drawBevel(canvas, Relief::Sunken);
    if (!disabledBitmap_.empty())
        drawGlyph(canvas, disabledBitmap_, layout.glyphAt);
    else if (!bitmap_.empty())
        drawEmbossed(canvas, bitmap_, layout.glyphAt);
    // Engraved: a highlight copy one pixel right and down, the shadow on top. No popup mark.
    drawCaption(canvas, layout, shifted(layout.captionBox, 1), ui::colors::BtnHighlight);
    drawCaption(canvas, layout, layout.captionBox, ui::colors::BtnShadow);
}

void TExplorerButton::paintPressed(ui::Canvas& canvas, const ContentLayout& layout) {
    drawBevel(canvas, Relief::Sunken);
    // Glyph and mark go in by a pixel (not with boNoDepress), and so does the
    // caption unless a lowered bevel style has shown it in at rest already.
    const int in = has(boNoDepress) ? 0 : 1;
    const ui::Box captionBox =
        bevelStyle_ == BevelStyle::bsRaised ? shifted(layout.captionBox, in) : layout.captionBox;
    const ui::Color color = textColorOf(Look::Pressed, layout);
    drawCaption(canvas, layout, captionBox, color);
    if (!bitmap_.empty())
        drawGlyph(canvas, bitmap_, shifted(layout.glyphAt, in));
    if (layout.popupMark)
        drawArrow(canvas, shifted(layout.markAt, in), Arrow::PopupMark, color);
}

void TExplorerButton::paintRaised(ui::Canvas& canvas, const ContentLayout& layout) {
    drawBevel(canvas, Relief::Raised);
    paintUnpressed(canvas, layout, textColorOf(Look::Raised, layout), bitmap_);
}

void TExplorerButton::paintIdle(ui::Canvas& canvas, const ContentLayout& layout) {
    // No bevel; under boMonoDisplay the glyph waits in its monochrome form.
    const ui::Raster* glyph = &bitmap_;
    if (has(boMonoDisplay))
        glyph = noFocusBitmap_.empty() ? &mono_ : &noFocusBitmap_;
    paintUnpressed(canvas, layout, textColorOf(Look::Idle, layout), *glyph);
}

void TExplorerButton::paintUnpressed(ui::Canvas& canvas, const ContentLayout& layout,
                                     ui::Color color, const ui::Raster& glyph) {
    // A lowered bevel style shows the caption in at rest.
    const ui::Box captionBox =
        bevelStyle_ == BevelStyle::bsLowered ? shifted(layout.captionBox, 1) : layout.captionBox;
    drawCaption(canvas, layout, captionBox, color);
    if (!bitmap_.empty())
        drawGlyph(canvas, glyph, layout.glyphAt);
    if (layout.popupMark)
        drawArrow(canvas, layout.markAt, Arrow::PopupMark, color);
}

// ---- the parts

void TExplorerButton::drawCaption(ui::Canvas& canvas, const ContentLayout& layout, ui::Box box,
                                  ui::Color color) {
    if (layout.caption.empty())
        return;
    canvas.setTextColor(color);
    canvas.drawText(layout.caption, box, layout.textFlags);
}

void TExplorerButton::drawBevel(ui::Canvas& canvas, Relief relief) {
    if (!has(boShowBevel))
        return;
    const int h = height();
    const int a = mainPartWidth();
    const ui::Color light = ui::colors::BtnHighlight;
    const ui::Color dark = ui::colors::BtnShadow;
    const bool lightFirst = (bevelStyle_ == BevelStyle::bsRaised) == (relief == Relief::Raised);
    ui::Color first = lightFirst ? light : dark;
    ui::Color second = lightFirst ? dark : light;
    canvas.line(0, h - 1, 0, 0, first);
    canvas.line(0, 0, a - 1, 0, first);
    canvas.line(a - 1, 0, a - 1, h - 1, second);
    canvas.line(a - 1, h - 1, 0, h - 1, second);
    if (!officeStyle())
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

// Pixel by pixel from the anchor: the popup mark has a widest row of 7 above
// it, the arrow part's arrow starts at 5.
void TExplorerButton::drawArrow(ui::Canvas& canvas, ui::Point anchor, Arrow arrow,
                                ui::Color color) {
    auto row = [&](int dy, int from, int to) {
        for (int x = anchor.x + from; x <= anchor.x + to; ++x)
            canvas.pixel(x, anchor.y + dy, color);
    };
    if (arrow == Arrow::PopupMark)
        row(-1, 0, 6);
    row(0, 1, 5);
    row(1, 2, 4);
    row(2, 3, 3);
}

void TExplorerButton::drawGlyph(ui::Canvas& canvas, const ui::Raster& image, ui::Point at) {
    if (image.empty())
        return;
    const ui::Rgb seeThrough = image.at(0, 0);
    if (has(boTransparent)) {
        // Through a mask, always at the image's own size.
        canvas.drawMasked(image, at.x, at.y, seeThrough);
        return;
    }
    const GlyphFit fit = glyphFit(image);
    canvas.brushCopy({at.x, at.y, at.x + fit.size.x, at.y + fit.size.y}, image, fit.source,
                     seeThrough, backgroundColor());
}

// The pure black pixels of the glyph, engraved: highlight one pixel right and
// down, shadow on top.
void TExplorerButton::drawEmbossed(ui::Canvas& canvas, const ui::Raster& image, ui::Point at) {
    const ui::Raster mask = ui::maskOf(image, ui::rgb(0, 0, 0));
    const GlyphFit fit = glyphFit(image);
    const ui::Box box{at.x, at.y, at.x + fit.size.x, at.y + fit.size.y};
    canvas.maskFill(mask, fit.source, shifted(box, 1), ui::colors::BtnHighlight);
    canvas.maskFill(mask, fit.source, box, ui::colors::BtnShadow);
}

} // namespace korimba::widgets
