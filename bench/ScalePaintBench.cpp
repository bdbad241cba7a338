// What the display's scale costs a flat button's painting, under Wine: the
// time a button's window takes to paint itself (WM_PRINTCLIENT into memory)
// at 96 dots per inch, where the painting goes straight to GDI, against 120,
// 144 and 192, where it goes through the scaled canvas. At rest (the caption)
// and held down (sunken bevel lines and the pattern, pixel by pixel).
#include "platform/win32/Dpi.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Scale.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/Win32Backend.h"
#include "widgets/ExplorerButton.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace korimba;

namespace {

constexpr unsigned kOpaque = widgets::kWindowButtonOptions & ~unsigned{widgets::boTransparent};

struct BenchForm : ui::Form {
    BenchForm() : ui::Form("TScaleBench") {
        setBorderStyle(ui::BorderStyle::Single);
        setClientSize(200, 80);
        Down.setGroupIndex(1);
        Down.setAllowAllUp(true);
        Down.setDown(true);
    }
    widgets::TExplorerButton Exit{this, "Exit", "E&xit", 8, 8, 89, 25, kOpaque};
    widgets::TExplorerButton Down{this, "Down", "Dec&ode list", 8, 40, 89, 25, kOpaque};
};
BenchForm* Bench = nullptr;

void rescale(HWND form, int dpi) {
    RECT place;
    GetWindowRect(form, &place);
    SendMessageA(form, platform::win32::kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&place));
}

// Microseconds per paint, the best of five rounds of 200.
double paintTime(HWND button) {
    RECT client;
    GetClientRect(button, &client);
    double best = 1e18;
    ui::win32::drawnRaster(client.right, client.bottom, [&](HDC memory) {
        for (int round = 0; round < 5; ++round) {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < 200; ++i)
                SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
            const std::chrono::duration<double, std::micro> took =
                std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count() / 200);
        }
    });
    return best;
}

} // namespace

int main() {
    platform::win32::Win32Platform platform;
    ui::win32::Win32Backend backend{GetModuleHandleA(nullptr)};
    ui::Application application{platform.bundle(), backend};
    BenchForm& form = application.createForm(Bench);
    HWND window = static_cast<HWND>(form.native);
    std::printf("flat button paint, us per paint (ratio to 96 dpi)\n");
    std::printf("%-6s %18s %18s\n", "dpi", "at rest", "held down");
    double base[2] = {};
    for (const int dpi : {96, 120, 144, 192}) {
        rescale(window, dpi);
        const double times[2] = {paintTime(static_cast<HWND>(form.Exit.native)),
                                 paintTime(static_cast<HWND>(form.Down.native))};
        if (dpi == 96)
            std::copy(times, times + 2, base);
        std::printf("%-6d", dpi);
        for (int i = 0; i < 2; ++i)
            std::printf(" %10.1f (%4.2f)", times[i], times[i] / base[i]);
        std::printf("\n");
    }
    return 0;
}
