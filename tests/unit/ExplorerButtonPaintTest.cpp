// The flat button's painting, pixel by pixel on the raster canvas: characters are
// 6 x 13 cells drawn as 5 x 8 blocks from the cell's third row.
#include "fakes/FakePlatform.h"
#include "fakes/HeadlessBackend.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/RasterCanvas.h"
#include "widgets/ExplorerButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>

using namespace korimba;
using namespace korimba::widgets;

namespace {

constexpr ui::Rgb Face = ui::rgb(192, 192, 192);
constexpr ui::Rgb Light = ui::rgb(255, 255, 255);
constexpr ui::Rgb Shadow = ui::rgb(128, 128, 128);
constexpr ui::Rgb Text = ui::rgb(0, 0, 0);
constexpr ui::Rgb Navy = ui::rgb(0, 0, 128);
constexpr ui::Rgb Red = ui::rgb(255, 0, 0);
constexpr ui::Rgb Magenta = ui::rgb(255, 0, 255);
constexpr unsigned Opaque = kWindowButtonOptions & ~unsigned{boTransparent};

struct PaintForm : ui::Form {
    PaintForm() : ui::Form("PaintForm") {}
    ui::Panel Panel1{this, "Panel1"};
    TExplorerButton Exit{&Panel1, "Exit", "E&xit", 8, 8, 89, 25, Opaque};
    TExplorerButton System{&Panel1, "System", "      &System  ", 8, 40, 89, 25, Opaque};
    ui::PopupMenu Menu{"Menu"};
    static PaintForm* Instance;
};
PaintForm* PaintForm::Instance = nullptr;

class ExplorerButtonPaint : public ::testing::Test {
protected:
    ExplorerButtonPaint() {
        form.Panel1.setBounds(0, 0, 300, 300);
        form.System.setDropDownMenu(&form.Menu);
        form.show();
    }

    ui::RasterCanvas paint(TExplorerButton& button) {
        ui::RasterCanvas canvas(button.width(), button.height(), ui::rgb(1, 2, 3));
        button.paint(canvas);
        return canvas;
    }

    // Every pixel of the row from x0 to x1 has the colour, and its neighbours the face's.
    void expectRow(const ui::RasterCanvas& c, int y, int x0, int x1, ui::Rgb color) {
        for (int x = x0; x <= x1; ++x)
            EXPECT_EQ(c.at(x, y), color) << "(" << x << ", " << y << ")";
        EXPECT_EQ(c.at(x0 - 1, y), Face) << "left of row " << y;
        EXPECT_EQ(c.at(x1 + 1, y), Face) << "right of row " << y;
    }

    fakes::FakePlatform platform;
    fakes::HeadlessBackend backend;
    ui::Application application{platform.bundle(), backend};
    PaintForm& form = application.createForm(PaintForm::Instance);
};

} // namespace

TEST_F(ExplorerButtonPaint, IdleHotAndPressedLooks) {
    // "Exit": 24 x 13 measured, at ((89 - 24) / 2, (25 - 13) / 2) = (32, 6).
    auto idle = paint(form.Exit);
    EXPECT_EQ(idle.at(0, 0), Face) << "no bevel at rest";
    EXPECT_EQ(idle.at(88, 24), Face);
    EXPECT_EQ(idle.at(32, 8), Text) << "caption in the unselected colour";
    EXPECT_EQ(idle.at(31, 8), Face);
    EXPECT_EQ(idle.at(38, 17), Text) << "the accelerator's underline";

    backend.pointTo(form.Exit, 5, 5);
    auto hot = paint(form.Exit);
    // Raised: light from the bottom-left corner up and along the top, dark on
    // along the right and the bottom; the end points are not drawn.
    EXPECT_EQ(hot.at(0, 24), Light);
    EXPECT_EQ(hot.at(0, 0), Light);
    EXPECT_EQ(hot.at(87, 0), Light);
    EXPECT_EQ(hot.at(88, 0), Shadow);
    EXPECT_EQ(hot.at(88, 24), Shadow);
    EXPECT_EQ(hot.at(1, 24), Shadow);
    EXPECT_EQ(hot.at(1, 1), Face);
    EXPECT_EQ(hot.at(32, 8), Navy) << "caption in the font colour";

    backend.leftDown();
    auto pressed = paint(form.Exit);
    EXPECT_EQ(pressed.at(0, 0), Shadow);
    EXPECT_EQ(pressed.at(88, 24), Light);
    EXPECT_EQ(pressed.at(32, 8), Face) << "the caption moved right and down";
    EXPECT_EQ(pressed.at(33, 9), Navy);
    backend.leftUp();
}

TEST_F(ExplorerButtonPaint, LoweredBevelStyleMovesTheCaptionAtRestNotWhenPressed) {
    form.Exit.setBevelStyle(BevelStyle::bsLowered);
    auto idle = paint(form.Exit);
    EXPECT_EQ(idle.at(33, 9), Text);
    EXPECT_EQ(idle.at(32, 8), Face);
    backend.pointTo(form.Exit, 5, 5);
    EXPECT_EQ(paint(form.Exit).at(0, 0), Shadow) << "raised look with swapped edges";
    backend.leftDown();
    auto pressed = paint(form.Exit);
    EXPECT_EQ(pressed.at(0, 0), Light);
    EXPECT_EQ(pressed.at(32, 8), Navy);
    backend.leftUp();
}

TEST_F(ExplorerButtonPaint, DisabledDrawsTheCaptionTwiceAndNoPopupMark) {
    form.Exit.setEnabled(false);
    auto exit = paint(form.Exit);
    EXPECT_EQ(exit.at(32, 8), Shadow);
    EXPECT_EQ(exit.at(37, 16), Light) << "the highlight copy, one pixel right and down";
    EXPECT_EQ(exit.at(0, 0), Face);

    // The cut caption's highlight copy ends at 70; the mark would start at 76.
    form.System.setEnabled(false);
    auto system = paint(form.System);
    EXPECT_EQ(system.at(70, 11), Light);
    for (int y = 0; y < 25; ++y)
        for (int x = 71; x < 89; ++x)
            ASSERT_EQ(system.at(x, y), Face) << x << ", " << y;

    // Without any glyph nothing but the caption is drawn, in any size.
    form.Exit.setCaption("");
    form.Exit.setButtonSize(ButtonSize::bsLarge);
    auto empty = paint(form.Exit);
    for (int y = 0; y < empty.height(); ++y)
        for (int x = 0; x < empty.width(); ++x)
            ASSERT_EQ(empty.at(x, y), Face) << x << ", " << y;
}

TEST_F(ExplorerButtonPaint, SystemButtonArrowFollowsTheCutCaption) {
    // 14 characters measure 84: the aligned width is 94, so the caption starts
    // at (89 - 94) div 2 = -2, its rectangle is cut to 75 wide, and the widest
    // row of the arrow starts 3 pixels after it, on the row above the middle.
    auto idle = paint(form.System);
    expectRow(idle, 11, 76, 82, Text);
    expectRow(idle, 12, 77, 81, Text);
    expectRow(idle, 13, 78, 80, Text);
    expectRow(idle, 14, 79, 79, Text);

    bool checked = false;
    backend.whileMenuShown = [&] {
        auto open = paint(form.System);
        expectRow(open, 12, 77, 83, Navy);
        expectRow(open, 15, 80, 80, Navy);
        EXPECT_EQ(open.at(0, 0), Shadow) << "pressed while the menu is open";
        checked = true;
    };
    backend.pointTo(form.System, 5, 5);
    backend.leftDown();
    EXPECT_TRUE(checked);
}

TEST_F(ExplorerButtonPaint, DownPatternCoversTheMainPartOnlyUnderTheSunkenBevel) {
    form.Exit.setDropDownStyle(DropDownStyle::ddsOffice);
    form.Exit.setGroupIndex(1);
    form.Exit.setDown(true);
    auto down = paint(form.Exit);
    EXPECT_EQ(down.at(2, 2), Light);
    EXPECT_EQ(down.at(3, 2), Face);
    EXPECT_EQ(down.at(3, 3), Light);
    EXPECT_EQ(down.at(0, 0), Shadow) << "sunken bevel over the pattern";
    const int a = 89 - 11;
    EXPECT_EQ(down.at(a + 2, 2), Face) << "the arrow part has no pattern";
    EXPECT_EQ(down.at(a, 0), Light) << "the arrow part's bevel is raised: not pressed";
}

TEST_F(ExplorerButtonPaint, DownPatternTakesTheSystemColoursAfterTheyChange) {
    form.Exit.setGroupIndex(1);
    form.Exit.setDown(true);
    // Above the caption, inside the sunken bevel: pattern only, repeated from the corner.
    auto expectPattern = [&](const ui::RasterCanvas& c, ui::Rgb face, ui::Rgb highlight) {
        for (int y = 1; y < 7; ++y)
            for (int x = 1; x < 88; ++x)
                ASSERT_EQ(c.at(x, y), x % 2 == y % 2 ? highlight : face) << x << ", " << y;
    };
    expectPattern(paint(form.Exit), Face, Light);

    const ui::Rgb face = ui::rgb(212, 208, 200);
    const ui::Rgb highlight = ui::rgb(250, 240, 230);
    backend.systemColors[ui::colors::BtnFace] = face;
    backend.systemColors[ui::colors::BtnHighlight] = highlight;
    form.Exit.systemColorsChanged();
    expectPattern(paint(form.Exit), face, highlight);

    backend.systemColors.clear();
    form.Exit.systemColorsChanged();
    expectPattern(paint(form.Exit), Face, Light);
}

TEST_F(ExplorerButtonPaint, OfficeArrowSitsRightAndMovesWhileItsPartIsPressed) {
    form.Exit.setDropDownStyle(DropDownStyle::ddsOffice);
    auto idle = paint(form.Exit);
    expectRow(idle, 12, 81, 85, Text); // (89 - 9 + 1 ... , 25 div 2)
    expectRow(idle, 13, 82, 84, Text);
    expectRow(idle, 14, 83, 83, Text);
    for (int x = 78; x < 88; ++x)
        EXPECT_EQ(idle.at(x, 11), Face) << "no row above the anchor: " << x;

    form.Exit.setDropDownMenu(&form.Menu);
    bool checked = false;
    backend.whileMenuShown = [&] {
        auto open = paint(form.Exit);
        expectRow(open, 13, 82, 86, Navy);
        EXPECT_EQ(open.at(78, 0), Shadow) << "the arrow part is sunken";
        EXPECT_EQ(open.at(0, 0), Light) << "the main part is raised by the hover";
        checked = true;
    };
    backend.pointTo(form.Exit, 85, 5);
    backend.leftDown();
    EXPECT_TRUE(checked);
}

TEST_F(ExplorerButtonPaint, WordWrapMeasuresAndDrawsATrailingSpace) {
    form.Exit.setCaption("Go");
    EXPECT_EQ(paint(form.Exit).at(38, 8), Text) << "without: (89 - 12) div 2 = 38";
    form.Exit.setOptions(form.Exit.options() | boWordWrap);
    auto wrapped = paint(form.Exit);
    EXPECT_EQ(wrapped.at(35, 8), Text) << "with: (89 - 18) div 2 = 35";
    EXPECT_EQ(wrapped.at(34, 8), Face);
}

TEST_F(ExplorerButtonPaint, LargeSizeDoublesTheGlyphUnlessTransparent) {
    ui::Raster glyph(16, 16, Magenta);
    glyph.set(5, 5, Red);
    form.Exit.setCaption("");
    form.Exit.setOptions(Opaque & ~unsigned{boMonoDisplay});
    form.Exit.setBitmap(glyph);
    form.Exit.setButtonSize(ButtonSize::bsLarge); // 39 x 38: glyph at (3, 3)
    auto doubled = paint(form.Exit);
    EXPECT_EQ(doubled.at(3 + 10, 3 + 10), Red);
    EXPECT_EQ(doubled.at(3 + 11, 3 + 11), Red);
    EXPECT_EQ(doubled.at(3 + 12, 3 + 12), Face) << "the corner colour became the brush";
    EXPECT_EQ(doubled.at(3, 3), Face);

    backend.parentPicture = ui::Raster(400, 400, ui::rgb(0, 99, 0));
    form.Exit.setOptions(form.Exit.options() | boTransparent);
    auto own = paint(form.Exit);
    EXPECT_EQ(own.at(3 + 5, 3 + 5), Red);
    EXPECT_EQ(own.at(3 + 10, 3 + 10), ui::rgb(0, 99, 0)) << "the parent shows through";
}

TEST_F(ExplorerButtonPaint, TransparentButtonKeepsItsParentsPixelsUntilItMoves) {
    // The parent's picture: a red column under the button's left edge, green elsewhere.
    backend.parentPicture = ui::Raster(400, 400, ui::rgb(0, 99, 0));
    int left = 0;
    int top = 0;
    backend.clientToScreen(form.Exit, left, top);
    for (int y = 0; y < 400; ++y)
        backend.parentPicture.set(left, y, Red);
    form.Exit.setCaption("");
    form.Exit.setOptions(kWindowButtonOptions);

    auto first = paint(form.Exit);
    EXPECT_TRUE(form.Exit.backgroundCaptured());
    for (int y = 0; y < 25; ++y) {
        EXPECT_EQ(first.at(0, y), Red) << "row " << y;
        EXPECT_EQ(first.at(1, y), ui::rgb(0, 99, 0)) << "row " << y;
    }

    // Later paints draw the kept pixels; the parent is not asked again.
    backend.parentPicture = ui::Raster(400, 400, Magenta);
    EXPECT_EQ(paint(form.Exit).at(0, 0), Red);
    EXPECT_EQ(paint(form.Exit).at(1, 0), ui::rgb(0, 99, 0));

    // Moved, it takes what lies under its new place.
    form.Exit.setBounds(form.Exit.left() + 1, form.Exit.top(), 89, 25);
    EXPECT_FALSE(form.Exit.backgroundCaptured());
    auto moved = paint(form.Exit);
    EXPECT_EQ(moved.at(0, 0), Magenta);
    EXPECT_EQ(moved.at(88, 24), Magenta);
}

TEST_F(ExplorerButtonPaint, MonochromeThresholdsByShading) {
    const ui::Rgb hi = ui::rgb(1, 1, 1);
    const ui::Rgb lo = ui::rgb(2, 2, 2);
    ui::Raster glyph(8, 1, Magenta);
    const int sums[] = {554, 553, 232, 231, 58, 57, 336};
    for (int i = 0; i < 7; ++i) {
        const int s = sums[i];
        glyph.set(i + 1, 0, ui::rgb(s / 3 + (s % 3 > 0), s / 3 + (s % 3 > 1), s / 3));
    }
    const auto medium = monochromeOf(glyph, ShadingType::stMedium, hi, lo);
    EXPECT_EQ(medium.at(0, 0), Magenta) << "the transparent colour stays";
    EXPECT_EQ(medium.at(1, 0), Light);
    EXPECT_EQ(medium.at(2, 0), hi);
    EXPECT_EQ(medium.at(3, 0), hi);
    EXPECT_EQ(medium.at(4, 0), lo);
    EXPECT_EQ(medium.at(5, 0), lo);
    EXPECT_EQ(medium.at(6, 0), Text);
    EXPECT_EQ(medium.at(7, 0), hi);
    const auto darkShading = monochromeOf(glyph, ShadingType::stDark, hi, lo);
    EXPECT_EQ(darkShading.at(7, 0), Light) << "stDark's first threshold lies lower";
    EXPECT_EQ(monochromeOf(glyph, ShadingType::stLight, hi, lo).at(5, 0), Text);
}

// An 8 x 8 glyph and the caption "Go" (12 wide, 13 high) on the 89 x 25 button:
// 3 pixels from an edge, 2 between glyph and caption, the pair centred.
TEST_F(ExplorerButtonPaint, GlyphAndCaptionPlacesInEveryLayoutAndAlignment) {
    ui::Raster glyph(8, 8, Magenta);
    glyph.set(1, 1, Red); // the corner pixel is the see-through colour
    form.Exit.setOptions(Opaque & ~unsigned{boMonoDisplay});
    form.Exit.setBitmap(glyph);
    form.Exit.setCaption("Go");
    struct Case {
        ButtonLayout layout;
        Alignment alignment;
        int glyphX, glyphY, captionX, captionY; // top-left corners
    };
    using enum ButtonLayout;
    using enum Alignment;
    const Case cases[] = {
        {blBitmapLeft, taLeftJustify, 3, 8, 13, 6},
        {blBitmapLeft, taRightJustify, 64, 8, 74, 6},
        {blBitmapLeft, taCenter, 33, 8, 43, 6},
        {blBitmapRight, taLeftJustify, 17, 8, 3, 6},
        {blBitmapRight, taRightJustify, 78, 8, 64, 6},
        {blBitmapRight, taCenter, 47, 8, 33, 6},
        {blBitmapTop, taLeftJustify, 3, 1, 3, 11},
        {blBitmapTop, taRightJustify, 78, 1, 74, 11},
        {blBitmapTop, taCenter, 40, 1, 38, 11},
        {blBitmapBottom, taLeftJustify, 3, 16, 3, 1},
        {blBitmapBottom, taRightJustify, 78, 16, 74, 1},
        {blBitmapBottom, taCenter, 40, 16, 38, 1},
    };
    for (const Case& each : cases) {
        form.Exit.setLayout(each.layout);
        form.Exit.setAlignment(each.alignment);
        const auto canvas = paint(form.Exit);
        int glyphX = -1, glyphY = -1, textX = canvas.width(), textY = canvas.height();
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                if (canvas.at(x, y) == Red && glyphX < 0) {
                    glyphX = x - 1;
                    glyphY = y - 1;
                }
                if (canvas.at(x, y) == Text) {
                    textX = std::min(textX, x);
                    textY = std::min(textY, y);
                }
            }
        }
        SCOPED_TRACE(testing::Message() << "layout " << static_cast<int>(each.layout)
                                        << ", alignment " << static_cast<int>(each.alignment));
        EXPECT_EQ(glyphX, each.glyphX);
        EXPECT_EQ(glyphY, each.glyphY);
        EXPECT_EQ(textX, each.captionX);
        EXPECT_EQ(textY - 2, each.captionY) << "characters start at their cell's third row";
    }
}

// A high-contrast scheme by system colour index (window text, highlight, button
// shadow and highlight; the face for the rest). A colour that is not the
// system's comes out as one of the button's own, which the check below finds.
constexpr ui::Rgb OwnColour = ui::rgb(1, 2, 3);
ui::Rgb highContrast(ui::Color color) {
    const std::map<std::uint32_t, ui::Rgb> scheme = {{8, ui::rgb(255, 255, 1)},
                                                     {13, ui::rgb(26, 235, 255)},
                                                     {16, ui::rgb(0, 128, 0)},
                                                     {20, ui::rgb(255, 255, 255)}};
    if (!ui::colors::isSystem(color))
        return OwnColour;
    const auto found = scheme.find(static_cast<std::uint32_t>(color) & 0xFF);
    return found == scheme.end() ? ui::rgb(0, 0, 0) : found->second;
}

// Every pixel of every look, the keyboard's focus mark included, is the scheme's.
TEST_F(ExplorerButtonPaint, EveryLookTakesItsColoursFromTheSystemScheme) {
    for (ui::Color color : {ui::colors::BtnFace, ui::colors::BtnHighlight, ui::colors::BtnShadow,
                            ui::colors::WindowText, ui::colors::Highlight})
        backend.systemColors[color] = highContrast(color);
    TExplorerButton& exit = form.Exit;
    exit.systemColorsChanged();
    const auto expectScheme = [&](const char* look) {
        ui::RasterCanvas canvas(exit.width(), exit.height(), 0, highContrast);
        exit.paint(canvas);
        for (int y = 0; y < exit.height(); ++y)
            for (int x = 0; x < exit.width(); ++x)
                ASSERT_NE(canvas.at(x, y), OwnColour) << look << " at " << x << ", " << y;
    };
    expectScheme("idle");
    exit.keyboardFocusChanged(true);
    expectScheme("focused");
    backend.pointTo(exit, 5, 5);
    expectScheme("hot");
    backend.leftDown();
    expectScheme("pressed");
    backend.leftUp();
    exit.setGroupIndex(1);
    exit.setDown(true);
    expectScheme("down");
    exit.setEnabled(false);
    expectScheme("disabled");
}
