#include "platform/win32/Dpi.h"

#include "platform/win32/SystemLibrary.h"

namespace korimba::platform::win32 {

int systemDpi() {
    static auto* forSystem = systemFunction<UINT WINAPI()>("user32.dll", "GetDpiForSystem");
    if (forSystem)
        if (const UINT dpi = forSystem())
            return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int windowDpi(HWND window) {
    static auto* forWindow = systemFunction<UINT WINAPI(HWND)>("user32.dll", "GetDpiForWindow");
    if (forWindow && window)
        if (const UINT dpi = forWindow(window))
            return static_cast<int>(dpi);
    return systemDpi();
}

RECT outerRect(RECT client, DWORD style, DWORD exStyle, int dpi) {
    static auto* forDpi = systemFunction<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>(
        "user32.dll", "AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}

} // namespace korimba::platform::win32
