// The GDI canvas draws what the raster canvas of the headless tests draws,
// for everything but text: the button's painting is checked on the latter.
#include "ui/RasterCanvas.h"
#include "ui/ScaledCanvas.h"
#include "ui/win32/GdiCanvas.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace korimba::ui;
using korimba::ui::win32::GdiCanvas;
using korimba::ui::win32::GdiObjects;

namespace {

constexpr Rgb Red = rgb(255, 0, 0);
constexpr Rgb Green = rgb(0, 255, 0);
constexpr Rgb Magenta = rgb(255, 0, 255);

// The same drawing on both canvases.
void drawAll(Canvas& canvas) {
    canvas.fill({0, 0, 40, 30}, colors::White);
    Raster pattern(8, 8, rgb(10, 20, 30));
    pattern.set(1, 0, rgb(200, 100, 50));
    canvas.patternFill({0, 0, 12, 4}, pattern);
    canvas.line(0, 29, 0, 5, colors::Black);
    canvas.line(1, 5, 20, 5, static_cast<Color>(Red));
    canvas.pixel(39, 29, static_cast<Color>(Green));
    Raster glyph(4, 4, Magenta);
    glyph.set(1, 1, Green);
    glyph.set(2, 2, rgb(0, 0, 0));
    canvas.drawMasked(glyph, 20, 10, Magenta);
    canvas.brushCopy({26, 10, 34, 18}, glyph, {0, 0, 4, 4}, Magenta, static_cast<Color>(Red));
    canvas.maskFill(maskOf(glyph, rgb(0, 0, 0)), {0, 0, 4, 4}, {10, 20, 18, 28},
                    static_cast<Color>(Green));
}

} // namespace

// At every display scale, through the scaled canvas of a window at that scale.
TEST(GdiCanvas, DrawsPixelForPixelWhatTheRasterCanvasDraws) {
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const Scale scale{dpi};
        GdiObjects gdi;
        HDC screen = GetDC(nullptr);
        auto gdiCanvas = GdiCanvas::offscreenFor(gdi, screen, scale.device(40), scale.device(30));
        ReleaseDC(nullptr, screen);
        RasterCanvas raster(scale.device(40), scale.device(30));
        ScaledCanvas onGdi(*gdiCanvas, scale);
        ScaledCanvas onRaster(raster, scale);
        drawAll(onGdi);
        drawAll(onRaster);
        for (int y = 0; y < raster.height(); ++y)
            for (int x = 0; x < raster.width(); ++x)
                ASSERT_EQ(GetPixel(gdiCanvas->dc(), x, y) & 0xFFFFFF, raster.at(x, y))
                    << "(" << x << ", " << y << ")";
    }
}

TEST(GdiCanvas, MeasuresTextAsTheSystemDrawsIt) {
    GdiObjects gdi;
    HDC screen = GetDC(nullptr);
    auto canvas = GdiCanvas::offscreenFor(gdi, screen, 100, 30);
    ReleaseDC(nullptr, screen);
    canvas->setFont(Font{});
    Box plain{0, 0, 85, 0};
    canvas->drawText("Exit", plain, textflags::Center | textflags::CalcRect);
    Box marked{0, 0, 85, 0};
    canvas->drawText("E&xit", marked, textflags::Center | textflags::CalcRect);
    RECT system{0, 0, 85, 0};
    DrawTextA(canvas->dc(), "Exit", -1, &system, DT_CENTER | DT_CALCRECT);
    EXPECT_EQ(plain, (Box{system.left, system.top, system.right, system.bottom}));
    EXPECT_GT(plain.bottom, 0) << "a font is selected";
    EXPECT_EQ(marked, plain) << "the accelerator mark takes no room";
}

// The 8-point face the windows are designed in is asked for as its TrueType
// kin, which Windows links to fonts of other scripts, in any character set;
// other faces as named.
TEST(GdiCanvas, FontsAreTheLinkedFaceInAnyCharacterSet) {
    GdiObjects gdi;
    const struct {
        Font font;
        const char* face;
    } cases[] = {{Font{}, "Microsoft Sans Serif"}, {titleFont(), "MS Serif"}};
    for (const auto& [font, face] : cases) {
        LOGFONTA made{};
        ASSERT_EQ(GetObjectA(gdi.font(font), sizeof made, &made), static_cast<int>(sizeof made));
        EXPECT_STREQ(made.lfFaceName, face);
        EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET) << face;
        EXPECT_EQ(made.lfHeight, font.height) << face;
    }
}
