#include "ui/RasterCanvas.h"

#include <algorithm>
#include <vector>

namespace korimba::ui {

Raster maskOf(const Raster& image, Rgb color) {
    Raster mask(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            mask.set(x, y, image.at(x, y) == color ? 1 : 0);
    return mask;
}

Rgb classicSystemColor(Color color) {
    if (!colors::isSystem(color))
        return static_cast<Rgb>(color) & 0xFFFFFF;
    switch (static_cast<std::uint32_t>(color) & 0xFF) {
    case 2: // active caption
        return rgb(0, 0, 128);
    case 3: // inactive caption
        return rgb(128, 128, 128);
    case 5: // window
        return rgb(255, 255, 255);
    case 8: // window text
        return rgb(0, 0, 0);
    case 13: // highlight
        return rgb(0, 0, 128);
    case 16: // button shadow
        return rgb(128, 128, 128);
    case 20: // button highlight
        return rgb(255, 255, 255);
    default: // button face and the rest
        return rgb(192, 192, 192);
    }
}

namespace {

// A line of shown text: the characters and the index of the underlined one.
struct TextLine {
    std::string shown;
    int underline = -1;
};

// Takes the accelerator marks out, as the system's text drawing does.
TextLine withoutMarks(const std::string& text) {
    TextLine line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            line.shown += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break;
        ++i;
        if (text[i] != '&' && line.underline < 0)
            line.underline = static_cast<int>(line.shown.size());
        line.shown += text[i];
    }
    return line;
}

int widthOf(const std::string& text) {
    return static_cast<int>(text.size()) * RasterCanvas::CharWidth;
}

// Breaks a text into lines: at line breaks, and with word break where the next
// word would pass the width (a longer word stays whole on its own line).
std::vector<TextLine> lineUp(const std::string& text, int width, bool wordBreak) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string paragraph = text.substr(start, end == std::string::npos ? end : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.pop_back();
        TextLine whole = withoutMarks(paragraph);
        if (!wordBreak || widthOf(whole.shown) <= width) {
            lines.push_back(whole);
        } else {
            TextLine current;
            std::size_t i = 0;
            while (i < whole.shown.size()) {
                std::size_t next = whole.shown.find(' ', i);
                next = next == std::string::npos ? whole.shown.size() : next + 1;
                const std::string word = whole.shown.substr(i, next - i);
                std::string trimmed = current.shown + word;
                while (!trimmed.empty() && trimmed.back() == ' ')
                    trimmed.pop_back();
                if (!current.shown.empty() && widthOf(trimmed) > width) {
                    lines.push_back(current);
                    current = TextLine{};
                }
                if (whole.underline >= static_cast<int>(i) &&
                    whole.underline < static_cast<int>(next))
                    current.underline = static_cast<int>(current.shown.size()) +
                                        (whole.underline - static_cast<int>(i));
                current.shown += word;
                i = next;
            }
            lines.push_back(current);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

} // namespace

RasterCanvas::RasterCanvas(int width, int height, Rgb fill, Scheme scheme)
    : pixels_(width, height, fill), scheme_(scheme) {}

Rgb RasterCanvas::resolve(Color color) const {
    return scheme_(color);
}

void RasterCanvas::fill(const Box& box, Color color) {
    const Rgb value = resolve(color);
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            pixels_.set(x, y, value);
}

void RasterCanvas::patternFill(const Box& box, const Raster& pattern) {
    if (pattern.empty())
        return;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (x >= 0 && y >= 0)
                pixels_.set(x, y, pattern.at(x % pattern.width(), y % pattern.height()));
}

void RasterCanvas::line(int fromX, int fromY, int toX, int toY, Color color) {
    const Rgb value = resolve(color);
    forEachLinePixel(fromX, fromY, toX, toY, [&](int x, int y) { pixels_.set(x, y, value); });
}

void RasterCanvas::pixel(int x, int y, Color color) {
    pixels_.set(x, y, resolve(color));
}

void RasterCanvas::drawLine(const std::string& shown, int underline, int x, int y,
                            const Box& clip) {
    const Rgb value = resolve(textColor_);
    auto put = [&](int px, int py) {
        if (px >= clip.left && px < clip.right && py >= clip.top && py < clip.bottom)
            pixels_.set(px, py, value);
    };
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int cell = x + static_cast<int>(i) * CharWidth;
        if (shown[i] != ' ')
            for (int row = 2; row < 10; ++row)
                for (int column = 0; column < CharWidth - 1; ++column)
                    put(cell + column, y + row);
        if (static_cast<int>(i) == underline)
            for (int column = 0; column < CharWidth - 1; ++column)
                put(cell + column, y + 11);
    }
}

int RasterCanvas::drawText(const std::string& text, Box& box, unsigned flags) {
    const bool wordBreak = (flags & textflags::WordBreak) != 0;
    auto lines = lineUp(text, box.width(), wordBreak);
    const int height = static_cast<int>(lines.size()) * LineHeight;
    if (flags & textflags::CalcRect) {
        int widest = 0;
        for (const TextLine& line : lines)
            widest = std::max(widest, widthOf(line.shown));
        box.right = box.left + widest;
        box.bottom = box.top + height;
        return height;
    }
    int y = box.top;
    for (TextLine& line : lines) {
        if ((flags & textflags::EndEllipsis) && widthOf(line.shown) > box.width()) {
            const int room = std::max(0, box.width() / CharWidth - 3);
            line.shown = line.shown.substr(0, static_cast<std::size_t>(room)) + "...";
            if (line.underline >= room)
                line.underline = -1;
        }
        const int width = widthOf(line.shown);
        int x = box.left;
        if (flags & textflags::Center)
            x = box.left + (box.width() - width) / 2;
        else if (flags & textflags::Right)
            x = box.right - width;
        drawLine(line.shown, line.underline, x, y, box);
        y += LineHeight;
    }
    return height;
}

void RasterCanvas::draw(const Raster& image, int x, int y) {
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            pixels_.set(x + column, y + row, image.at(column, row));
}

template <class Pixel>
void RasterCanvas::stretchPixels(const Raster& image, const Box& source, const Box& target,
                                 Pixel&& put) {
    if (target.width() <= 0 || target.height() <= 0)
        return;
    for (int row = 0; row < target.height(); ++row) {
        for (int column = 0; column < target.width(); ++column) {
            const int sx = source.left + column * source.width() / target.width();
            const int sy = source.top + row * source.height() / target.height();
            if (image.contains(sx, sy))
                put(target.left + column, target.top + row, image.at(sx, sy));
        }
    }
}

void RasterCanvas::stretch(const Raster& image, const Box& source, const Box& target) {
    stretchPixels(image, source, target, [&](int x, int y, Rgb c) { pixels_.set(x, y, c); });
}

void RasterCanvas::brushCopy(const Box& target, const Raster& image, const Box& source,
                             Rgb replaced, Color brush) {
    const Rgb brushColor = resolve(brush);
    stretchPixels(image, source, target,
                  [&](int x, int y, Rgb c) { pixels_.set(x, y, c == replaced ? brushColor : c); });
}

void RasterCanvas::drawMasked(const Raster& image, int x, int y, Rgb transparent) {
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            if (image.at(column, row) != transparent)
                pixels_.set(x + column, y + row, image.at(column, row));
}

void RasterCanvas::maskFill(const Raster& mask, const Box& source, const Box& target, Color brush) {
    const Rgb brushColor = resolve(brush);
    stretchPixels(mask, source, target, [&](int x, int y, Rgb set) {
        if (set)
            pixels_.set(x, y, brushColor);
    });
}

std::unique_ptr<Canvas> RasterCanvas::offscreen(int width, int height) {
    return std::make_unique<RasterCanvas>(width, height, 0, scheme_);
}

void RasterCanvas::copy(Canvas& source, int x, int y) {
    draw(static_cast<RasterCanvas&>(source).pixels_, x, y);
}

} // namespace korimba::ui
