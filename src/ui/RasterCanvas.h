#pragma once
// A canvas in memory, for checking painting pixel by pixel. Its system colours
// are the classic grey scheme unless it is given another, and its text has
// fixed metrics: each character a cell of 6 x 13 pixels, drawn as a solid
// block of 5 x 8 from its cell's third row, with an accelerator's underline on
// the cell's twelfth row.
#include "ui/Canvas.h"

namespace korimba::ui {

// The classic scheme: face C0C0C0, highlight FFFFFF, shadow 808080, window
// text black, highlight navy, window white.
Rgb classicSystemColor(Color color);

class RasterCanvas final : public Canvas {
public:
    static constexpr int CharWidth = 6;
    static constexpr int LineHeight = 13;

    // How system colours come out: another scheme (a high-contrast one, say).
    using Scheme = Rgb (*)(Color);

    RasterCanvas(int width, int height, Rgb fill = 0, Scheme scheme = classicSystemColor);
    explicit RasterCanvas(Raster pixels) : pixels_(std::move(pixels)) {}

    const Raster& pixels() const { return pixels_; }
    Rgb at(int x, int y) const { return pixels_.at(x, y); }

    int width() const override { return pixels_.width(); }
    int height() const override { return pixels_.height(); }
    Rgb resolve(Color color) const override;
    void fill(const Box& box, Color color) override;
    void patternFill(const Box& box, const Raster& pattern) override;
    void line(int fromX, int fromY, int toX, int toY, Color color) override;
    void pixel(int x, int y, Color color) override;
    void setFont(const Font& font) override { font_ = font; }
    void setTextColor(Color color) override { textColor_ = color; }
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
    template <class Pixel>
    void stretchPixels(const Raster& image, const Box& source, const Box& target, Pixel&& put);
    void drawLine(const std::string& shown, int underline, int x, int y, const Box& clip);

    Raster pixels_;
    Scheme scheme_ = classicSystemColor;
    Font font_;
    Color textColor_ = colors::Black;
};

} // namespace korimba::ui
