// What custom controls need from the desktop: their window's painting, the
// pointer and its capture, messages to themselves, and what their parent
// paints under them, and what screen readers hear of them.
#include "ui/CustomControl.h"
#include "ui/win32/Accessible.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Win32Backend.h"

namespace korimba::ui::win32 {

void Win32Backend::invalidate(Control& control) {
    HWND window = windowOf(control);
    if (!window) {
        if (HWND surface = surfaceOf(control))
            InvalidateRect(surface, nullptr, FALSE);
        return;
    }
    if (control.kind() == ControlKind::Custom)
        InvalidateRect(window, nullptr, FALSE);
    else
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Backend::repaint(Control& control) {
    invalidate(control);
    HWND window = windowOf(control);
    if (!window)
        return;
    // A transparent window is not clipped out of its parent's painting: what
    // its window still has to paint goes first, or a later first paint of the
    // parent would cover it.
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT)
        RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr,
                     RDW_UPDATENOW | RDW_ALLCHILDREN);
    else
        UpdateWindow(window);
}

void Win32Backend::recreateWindow(CustomControl& control) {
    if (!closing_)
        recreateChildWindow(*this, control);
}

void Win32Backend::setCapture(Control& control) {
    if (HWND window = windowOf(control))
        SetCapture(window);
}

void Win32Backend::releaseCapture(Control& control) {
    HWND window = windowOf(control);
    if (window && GetCapture() == window)
        ReleaseCapture();
}

bool Win32Backend::hasCapture(Control& control) {
    HWND window = windowOf(control);
    return window && GetCapture() == window;
}

void Win32Backend::cancelCaptureMode() {
    if (HWND holder = GetCapture())
        SendMessageA(holder, WM_CANCELMODE, 0, 0);
}

void Win32Backend::trackPointerLeave(CustomControl& control) {
    HWND window = windowOf(control);
    Peer* peer = peerOf(window);
    if (!peer || !peer->custom || peer->custom->trackingLeave)
        return;
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
    peer->custom->trackingLeave = TrackMouseEvent(&track) != FALSE;
}

void Win32Backend::postToSelf(CustomControl& control, unsigned message) {
    if (HWND window = windowOf(control))
        PostMessageA(window, message, 0, 0);
}

void Win32Backend::processMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop that waits for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatchMessage(message);
    }
}

void Win32Backend::systemMove(Form& form) {
    // SC_MOVE with the caption's hit code: the system's move loop follows the
    // pointer while the left button stays down.
    HWND window = windowOf(form);
    if (!window)
        return;
    HWND outer = movingWindow_;
    movingWindow_ = window;
    SendMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    movingWindow_ = outer;
}

void Win32Backend::cancelMode(Control& control) {
    HWND window = windowOf(control);
    if (!window)
        return;
    SendMessageA(window, WM_CANCELMODE, 0, 0);
    // Wine's move loop does not end with the capture, only on a release, Escape
    // or Return; Return leaves the window where it is, as the cancel does.
    if (window == movingWindow_)
        PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
}

Point Win32Backend::screenSize() {
    return screenScale().design(
        Point{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

void Win32Backend::discardMouseMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, 0x20A, PM_REMOVE)) {
    }
}

Point Win32Backend::cursorPos() {
    POINT at{0, 0};
    GetCursorPos(&at);
    return screenScale().design(Point{at.x, at.y});
}

void Win32Backend::screenToClient(Control& control, int& x, int& y) {
    const Point device = screenScale().device(Point{x, y});
    POINT point{device.x, device.y};
    if (HWND window = surfaceOf(control))
        ScreenToClient(window, &point);
    const Scale scale = scaleOf(control);
    x = scale.design(point.x);
    y = scale.design(point.y);
    // A painted control's point is from its own corner in its parent's window.
    if (!windowOf(control)) {
        x -= control.left();
        y -= control.top();
    }
}

bool Win32Backend::isActive(Form& form) {
    HWND window = windowOf(form);
    return window && GetActiveWindow() == window;
}

void Win32Backend::bringToFront(Form& form) {
    if (HWND window = windowOf(form))
        SetForegroundWindow(window);
}

Raster Win32Backend::parentPixels(Control& control) {
    HWND window = windowOf(control);
    HWND parent = window ? GetParent(window) : nullptr;
    if (!parent)
        return {};
    RECT client;
    GetClientRect(window, &client);
    POINT corner{0, 0};
    MapWindowPoints(window, parent, &corner, 1);
    Raster pixels = printedRaster(parent, corner.x, corner.y, client.right, client.bottom);
    pixels.setDpi(scaleOf(window).dpi);
    return pixels;
}

Rgb Win32Backend::systemColor(Color color) {
    return colorRef(color);
}

void Win32Backend::accessibleEvent(Control& control, AccessibleEvent event) {
    if (HWND window = windowOf(control))
        notifyAccessible(window, event);
}

bool Win32Backend::endEllipsisAvailable() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return true;
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ||
           (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 4);
}

} // namespace korimba::ui::win32
