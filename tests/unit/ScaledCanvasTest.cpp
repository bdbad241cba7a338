// Painting at a display scale: each designed pixel becomes the block between
// its scaled edges, so what the design draws at 96 dpi comes out enlarged,
// block for block, at every other scale.
#include "ui/RasterCanvas.h"
#include "ui/ScaledCanvas.h"

#include <gtest/gtest.h>

#include <functional>

using namespace korimba;
using namespace korimba::ui;

namespace {

constexpr int kScales[] = {96, 120, 144, 192};

// The designed pixel a pixel of the screen belongs to.
int designPixel(const Scale& scale, int device) {
    int design = scale.design(device);
    while (scale.device(design) > device)
        --design;
    while (scale.device(design + 1) <= device)
        ++design;
    return design;
}

// Paints at 96 dpi and at the scale, and finds the latter the former enlarged.
void expectEnlarged(int width, int height, const std::function<void(Canvas&)>& paint) {
    RasterCanvas design(width, height, rgb(1, 2, 3));
    paint(design);
    for (const int dpi : kScales) {
        SCOPED_TRACE(dpi);
        const Scale scale{dpi};
        RasterCanvas device(scale.device(width), scale.device(height), rgb(1, 2, 3));
        ScaledCanvas scaled(device, scale);
        paint(scaled);
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x)
                ASSERT_EQ(device.at(x, y), design.at(designPixel(scale, x), designPixel(scale, y)))
                    << "(" << x << ", " << y << ")";
    }
}

} // namespace

TEST(Scale, RoundsAsTheSystemDoesAndMeasuresTextSoThatItFits) {
    const struct {
        int dpi, design, device, back;
    } cases[] = {{96, 89, 89, 89},     {120, 89, 111, 89},   {144, 89, 134, 89}, {192, 89, 178, 89},
                 {144, -11, -17, -11}, {120, -11, -14, -11}, {144, 25, 38, 25},  {144, 1, 2, 1}};
    for (const auto& [dpi, design, device, back] : cases) {
        EXPECT_EQ(Scale{dpi}.device(design), device) << dpi << " " << design;
        EXPECT_EQ(Scale{dpi}.design(device), back) << dpi << " " << device;
    }
    // Adjacent boxes stay adjacent: scaled by their edges.
    EXPECT_EQ(Scale{144}.device(Rect{8, 33, 89, 25}), (Rect{12, 50, 134, 37}));
    // A text 83 pixels wide needs 56 designed ones: 55 could come out 82 wide.
    for (const int dpi : kScales)
        for (int text = 1; text < 200; ++text) {
            const int covering = Scale{dpi}.covering(text);
            for (int left = 0; left < 4; ++left)
                ASSERT_GE(Scale{dpi}.device(left + covering) - Scale{dpi}.device(left), text)
                    << dpi << " " << text << " " << left;
        }
}

TEST(ScaledCanvas, LinesBoxesPatternsAndPicturesComeOutEnlarged) {
    expectEnlarged(40, 30, [](Canvas& canvas) {
        canvas.fill({0, 0, 40, 30}, colors::White);
        Raster pattern(8, 8, rgb(10, 20, 30));
        pattern.set(1, 0, rgb(200, 100, 50));
        canvas.patternFill({3, 1, 15, 6}, pattern);
        canvas.line(0, 29, 0, 5, colors::Black);
        canvas.line(1, 5, 20, 5, colors::Navy);
        canvas.line(30, 2, 37, 9, colors::Black);
        canvas.pixel(39, 29, colors::BtnShadow);
        Raster glyph(5, 4, rgb(255, 0, 255));
        glyph.set(1, 1, rgb(0, 255, 0));
        glyph.set(3, 2, rgb(0, 0, 0));
        canvas.drawMasked(glyph, 21, 11, rgb(255, 0, 255));
        canvas.draw(glyph, 7, 20);
        // A copy from an off-screen canvas of the same scale, as a control buffers its painting.
        auto offscreen = canvas.offscreen(6, 6);
        offscreen->fill({0, 0, 6, 6}, colors::Navy);
        offscreen->pixel(2, 3, colors::White);
        canvas.copy(*offscreen, 0, 0);
    });
}
