// The procedure of every custom control's window: it turns the system's
// messages into the control's hooks and knows nothing of what the control is.
#include "ui/CustomControl.h"
#include "ui/ScaledCanvas.h"
#include "ui/win32/Accessible.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/Guard.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WindowKinds.h"
#include "ui/win32/WindowProcedures.h"

#include <windowsx.h>

namespace korimba::ui::win32 {

namespace {

unsigned shiftState(WPARAM keys) {
    unsigned shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    if (keys & MK_LBUTTON)
        shift |= ssLeft;
    if (keys & MK_RBUTTON)
        shift |= ssRight;
    if (keys & MK_MBUTTON)
        shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

void paintCustom(Peer& peer, CustomControl& control, HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    GdiCanvas device(peer.backend->gdi(), dc, client.right, client.bottom);
    ScaledCanvas canvas(device, scaleOf(window));
    guarded([&] { control.paint(canvas); });
}

void trackLeave(HWND window, CustomState& state) {
    if (state.trackingLeave)
        return;
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
    state.trackingLeave = TrackMouseEvent(&track) != FALSE;
}

// Only a real change of size or place reaches the control.
void placeChanged(HWND window, CustomState& state, CustomControl& control) {
    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    const bool sized = place.right - place.left != state.place.right - state.place.left ||
                       place.bottom - place.top != state.place.bottom - state.place.top;
    const bool moved = place.left != state.place.left || place.top != state.place.top;
    state.place = place;
    if (sized)
        guarded([&] { control.resized(); });
    if (moved && windowOf(control) == window)
        guarded([&] { control.moved(); });
}

enum class Pointer { Down, Up, Double };

// Where the pointer is, in the control's designed pixels.
Point pointerAt(HWND window, LPARAM lParam) {
    return scaleOf(window).design(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

void pointer(HWND window, CustomControl& control, Pointer what, MouseButton button, WPARAM wParam,
             LPARAM lParam) {
    const auto [x, y] = pointerAt(window, lParam);
    const unsigned shift = shiftState(wParam) | (what == Pointer::Double ? unsigned{ssDouble} : 0u);
    guarded([&] {
        Application::current().dispatch([&] {
            if (what == Pointer::Down)
                control.mouseDown(button, shift, x, y);
            else if (what == Pointer::Up)
                control.mouseUp(button, shift, x, y);
            else
                control.doubleClick(button, shift, x, y);
        });
    });
}

} // namespace

LRESULT CALLBACK customControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        delete detachPeer(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    Peer* peer = livePeer(window);
    if (!peer || !peer->custom || windowOf(*peer->control) != window) {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        return message == WM_ERASEBKGND ? 1 : DefWindowProcA(window, message, wParam, lParam);
    }
    auto& control = static_cast<CustomControl&>(*peer->control);
    CustomState& state = *peer->custom;
    // A custom control that holds controls (a drop-down panel) hears from them as a panel does.
    if (LRESULT result = 0; handleChildMessage(*peer, message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the control paints everything
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        paintCustom(*peer, control, window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        paintCustom(*peer, control, window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        trackLeave(window, state);
        guarded([&] {
            const Point at = pointerAt(window, lParam);
            control.pointerMoved(shiftState(wParam), at.x, at.y);
        });
        return 0;
    case WM_MOUSELEAVE:
        state.trackingLeave = false;
        guarded([&] { control.pointerLeft(); });
        return 0;
    case WM_LBUTTONDOWN:
        pointer(window, control, Pointer::Down, MouseButton::Left, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        pointer(window, control, Pointer::Up, MouseButton::Left, wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        pointer(window, control, Pointer::Double, MouseButton::Left, wParam, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        pointer(window, control, Pointer::Down, MouseButton::Right, wParam, lParam);
        return 0;
    case WM_RBUTTONUP:
        pointer(window, control, Pointer::Up, MouseButton::Right, wParam, lParam);
        return 0;
    case BM_CLICK:
        // What the system's buttons do with it: a press and a release.
        pointer(window, control, Pointer::Down, MouseButton::Left, MK_LBUTTON, 0);
        if (livePeer(window))
            pointer(window, control, Pointer::Up, MouseButton::Left, 0, 0);
        return 0;
    case WM_SIZE:
    case WM_MOVE:
        placeChanged(window, state, control);
        return 0;
    case WM_SYSCOLORCHANGE:
        guarded([&] { Application::current().dispatch([&] { control.systemColorsChanged(); }); });
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, FALSE);
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        guarded([&] { control.keyboardFocusChanged(message == WM_SETFOCUS); });
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == VK_RETURN) {
            guarded([&] { Application::current().dispatch([&] { control.keyboardPress(); }); });
            return 0;
        }
        break;
    case WM_GETOBJECT:
        if (LRESULT result = 0; answerAccessibleObject(window, control, wParam, lParam, result))
            return result;
        break;
    default:
        break;
    }
    if (message >= WM_USER && message < 0x8000) {
        const auto posted = static_cast<unsigned>(message);
        guarded([&] { Application::current().dispatch([&] { control.posted(posted); }); });
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

namespace {

// One that holds controls leaves their windows alone when it paints.
DWORD customStyle(const Control& control) {
    return control.children().empty() ? 0 : WS_CLIPCHILDREN;
}

// A transparent one lets the windows below it paint first.
DWORD customExStyle(const Control& control) {
    return static_cast<const CustomControl&>(control).transparentWindow() ? WS_EX_TRANSPARENT : 0;
}

} // namespace

// Its accelerator is offered to it by the form before any other control's.
extern const WindowKind kCustomWindow{
    kCustomClass,  customStyle,    customExStyle,      false,        true, noInitialState,
    mirrorCaption, noNotification, takesNoAccelerator, noAccelerator};

} // namespace korimba::ui::win32
