#pragma once
// A canvas at the design's scale over a surface at the window's: what a custom
// control paints at 96 dots per inch comes out at the window's scale. Each
// designed pixel becomes the block between its scaled edges, so lines, bevels
// and patterns keep their places; text is drawn afresh in a font of the scaled
// height, and pictures are enlarged block by block, never blurred. An
// off-screen canvas has its blocks from its own corner: copied to the corner
// of a control's surface, as the controls buffer their painting, they match.
#include "ui/Canvas.h"
#include "ui/Scale.h"

#include <memory>

namespace korimba::ui {

class ScaledCanvas final : public Canvas {
public:
    ScaledCanvas(Canvas& device, Scale scale) : device_(device), scale_(scale) {}
    // One that owns its surface (an off-screen one).
    ScaledCanvas(std::unique_ptr<Canvas> device, Scale scale)
        : owned_(std::move(device)), device_(*owned_), scale_(scale) {}

    Canvas& device() { return device_; }

    int width() const override { return scale_.design(device_.width()); }
    int height() const override { return scale_.design(device_.height()); }
    Rgb resolve(Color color) const override { return device_.resolve(color); }
    void fill(const Box& box, Color color) override;
    void patternFill(const Box& box, const Raster& pattern) override;
    void line(int fromX, int fromY, int toX, int toY, Color color) override;
    void pixel(int x, int y, Color color) override;
    void setFont(const Font& font) override { device_.setFont(scale_.device(font)); }
    void setTextColor(Color color) override { device_.setTextColor(color); }
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
    // The picture as this surface shows it with its corner at (x, y): each of
    // its pixels the block of the design pixel it covers there.
    Raster enlarged(const Raster& image, int x, int y) const;
    // Hands put the picture as this surface shows it, and its scaled corner.
    template <class Put> void atScale(const Raster& image, int x, int y, Put&& put);

    std::unique_ptr<Canvas> owned_;
    Canvas& device_;
    Scale scale_;
};

} // namespace korimba::ui
