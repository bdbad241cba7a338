// Flat buttons on real windows under Wine: what they paint (WM_PRINTCLIENT) and
// what their windows then show, compared exactly with their panel's painting
// and the system's colours.
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Raster.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/Win32Backend.h"
#include "widgets/ExplorerButton.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <cstdint>
#include <set>
#include <string>

using namespace korimba;
using namespace korimba::ui;
using korimba::widgets::TExplorerButton;

namespace {

// A colour no system colour has, so that nothing else can pass for the panel.
constexpr COLORREF kPanelColor = RGB(10, 130, 70);
constexpr unsigned kOpaque = widgets::kWindowButtonOptions & ~unsigned{widgets::boTransparent};

// A .bmp of vertical stripes, red and blue, 3 pixels wide.
std::string stripedBitmap(int width, int height) {
    Raster stripes(width, height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            stripes.set(column, row, (column / 3) % 2 == 0 ? rgb(255, 0, 0) : rgb(0, 0, 255));
    return encodeBitmap(stripes);
}

struct ButtonForm : Form {
    ButtonForm() : Form("TButtonForm") {
        setCaption("Flat buttons");
        setBorderStyle(BorderStyle::Single);
        setPosition(FormPosition::ScreenCenter);
        setClientSize(200, 110);
        Side.setAlign(Align::Client);
        Side.setBevelOuter(BevelOuter::None);
        Side.setColor(static_cast<Color>(kPanelColor));
        Picture.setBounds(0, 0, 200, 40);
        Picture.setStretch(true);
        Picture.setPicture(Bitmap::fromFileImage(stripedBitmap(30, 4)));
    }
    Panel Side{this, "Side"};
    Image Picture{&Side, "Picture"};
    // Half over the picture, half over the panel's own colour.
    TExplorerButton Go{&Side, "Go", "&Go", 8, 20, 89, 25};
    TExplorerButton Exit{&Side, "Exit", "E&xit", 8, 60, 89, 25, kOpaque};
};
ButtonForm* Buttons = nullptr;

HWND hwnd(const Control& control) {
    return static_cast<HWND>(control.native);
}

Raster clientSized(HWND window, const std::function<void(HDC, const RECT&)>& draw) {
    RECT client;
    GetClientRect(window, &client);
    return ui::win32::drawnRaster(client.right, client.bottom,
                                  [&](HDC memory) { draw(memory, client); });
}

// What a window paints in its client area, drawn into memory by the window itself.
Raster printed(HWND window) {
    return clientSized(window, [&](HDC memory, const RECT&) {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    });
}

// What the window shows now: the pixels on its surface.
Raster shown(HWND window) {
    return clientSized(window, [&](HDC memory, const RECT& client) {
        HDC dc = GetDC(window);
        BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
    });
}

// The colours inside the bevel's ring.
std::set<Rgb> insideColors(const Raster& button) {
    std::set<Rgb> found;
    for (int y = 1; y < button.height() - 1; ++y)
        for (int x = 1; x < button.width() - 1; ++x)
            found.insert(button.at(x, y));
    return found;
}

class FlatButtonWindows : public ::testing::Test {
protected:
    void pumpFor(int milliseconds) {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < until) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                if (message.message != WM_QUIT)
                    backend.dispatchMessage(message);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    platform::win32::Win32Platform platform;
    win32::Win32Backend backend{GetModuleHandleA(nullptr)};
    Application application{platform.bundle(), backend};
    ButtonForm& form = application.createForm(Buttons);
};

} // namespace

// A change of state repaints a button at once, also before its panel has had its
// first paint: what the screen shows there then is not yet the panel, and the
// panel's paint that follows covers a transparent button.
TEST_F(FlatButtonWindows, TransparentButtonPaintedBeforeItsPanelShowsThePanelUnderItsCaption) {
    form.show();
    form.Go.setEnabled(false); // painted now, ahead of everything queued
    pumpFor(100);

    const Raster panel = printed(hwnd(form.Side));
    const Raster button = printed(hwnd(form.Go));
    ASSERT_EQ(button.width(), 89);
    const Rgb light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const Rgb shadow = GetSysColor(COLOR_BTNSHADOW);
    std::set<Rgb> background;
    std::set<Rgb> caption;
    for (int y = 0; y < button.height(); ++y)
        for (int x = 0; x < button.width(); ++x) {
            const Rgb under = panel.at(8 + x, 20 + y);
            const Rgb pixel = button.at(x, y);
            ASSERT_TRUE(pixel == under || pixel == light || pixel == shadow)
                << "(" << x << ", " << y << ")";
            (pixel == under ? background : caption).insert(pixel);
        }
    EXPECT_EQ(background, (std::set<Rgb>{rgb(255, 0, 0), rgb(0, 0, 255), kPanelColor}))
        << "the stripes above and the panel's colour below";
    EXPECT_EQ(caption, (std::set<Rgb>{light, shadow})) << "the disabled caption";

    const Raster onScreen = shown(hwnd(form.Go));
    for (int y = 0; y < button.height(); ++y)
        for (int x = 0; x < button.width(); ++x)
            ASSERT_EQ(onScreen.at(x, y), button.at(x, y))
                << "(" << x << ", " << y << "): the panel's paint stayed over the button";
}

TEST_F(FlatButtonWindows, CaptionIsWindowTextAtRestAndHighlightUnderThePointer) {
    form.show();
    pumpFor(100);
    const Rgb text = GetSysColor(COLOR_WINDOWTEXT);
    const Rgb highlight = GetSysColor(COLOR_HIGHLIGHT);

    const Raster idle = printed(hwnd(form.Exit));
    EXPECT_EQ(idle.at(0, 0), kPanelColor) << "no bevel at rest";
    EXPECT_EQ(idle.at(88, 24), kPanelColor);
    EXPECT_EQ(insideColors(idle), (std::set<Rgb>{kPanelColor, text}));

    form.Exit.mouseEnter();
    const Raster hot = printed(hwnd(form.Exit));
    EXPECT_EQ(hot.at(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised bevel";
    EXPECT_EQ(hot.at(88, 24), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(insideColors(hot), (std::set<Rgb>{kPanelColor, highlight}));
    // The same letters, only in another colour.
    for (int y = 1; y < 24; ++y)
        for (int x = 1; x < 88; ++x)
            ASSERT_EQ(hot.at(x, y) == highlight, idle.at(x, y) == text)
                << "(" << x << ", " << y << ")";
}
