// Procedures of panels, labels and the subclassed system controls.
#include "ui/Controls.h"
#include "ui/win32/Guard.h"
#include "ui/win32/Keyboard.h"
#include "ui/win32/NativeWindows.h"
#include "ui/win32/Notifications.h"
#include "ui/win32/Painting.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WindowKinds.h"
#include "ui/win32/WindowProcedures.h"

namespace korimba::ui::win32 {

namespace {

bool isColorMessage(UINT message) {
    return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC ||
           message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLORBTN;
}

void paintLabelOf(Peer& peer, HWND window, HDC dc) {
    guarded([&] {
        paintLabel(peer.backend->gdi(), static_cast<const Label&>(*peer.control), window, dc);
    });
}

} // namespace

bool handleChildMessage(Peer& peer, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message == WM_COMMAND) {
        HWND childWindow = reinterpret_cast<HWND>(lParam);
        Peer* child = livePeer(childWindow);
        if (!child)
            return false;
        Control& control = *child->control;
        guarded([&] { childCommand(control, childWindow, HIWORD(wParam)); });
        return true;
    }
    if (isColorMessage(message)) {
        Peer* child = livePeer(reinterpret_cast<HWND>(lParam));
        // Push buttons keep the system's look.
        if (!child || child->control->kind() == ControlKind::Button)
            return false;
        result = childColors(peer.backend->gdi(), *child->control, reinterpret_cast<HDC>(wParam));
        return true;
    }
    return false;
}

bool handleContainerMessage(Peer& peer, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) {
    Win32Backend& backend = *peer.backend;
    if (handleChildMessage(peer, message, wParam, lParam, result))
        return true;
    result = 0;
    switch (message) {
    case WM_ERASEBKGND:
        result = 1; // WM_PAINT covers everything
        return true;
    case WM_PAINT: {
        BufferedPaint paint(window);
        guarded([&] { paintContainer(backend.gdi(), *peer.control, paint.dc(), paint.client()); });
        return true;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(window, &client);
        guarded([&] {
            paintContainer(backend.gdi(), *peer.control, reinterpret_cast<HDC>(wParam), client);
        });
        return true;
    }
    case WM_SIZE:
        placeChildren(backend, *peer.control);
        return true;
    default:
        break;
    }
    return false;
}

LRESULT CALLBACK panelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        delete detachPeer(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    Peer* peer = livePeer(window);
    if (peer && handleContainerMessage(*peer, window, message, wParam, lParam, result))
        return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Peer* peer = livePeer(window);
    switch (message) {
    case WM_NCDESTROY:
        delete detachPeer(window);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (!peer)
            break;
        {
            BufferedPaint paint(window);
            paintLabelOf(*peer, window, paint.dc());
        }
        return 0;
    case WM_PRINTCLIENT:
        if (peer)
            paintLabelOf(*peer, window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, FALSE);
        return result;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK systemControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Peer* peer = peerOf(window);
    if (!peer)
        return DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC original = peer->systemProcedure;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        delete detachPeer(window);
        return CallWindowProcA(original, window, message, wParam, lParam);
    }
    // A drop-down list asks its combo box for colours first.
    if (message == WM_CTLCOLORLISTBOX) {
        if (Peer* live = livePeer(window))
            return childColors(live->backend->gdi(), *live->control, reinterpret_cast<HDC>(wParam));
    }
    const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
    if (message == WM_SETFOCUS) {
        if (Peer* live = livePeer(window)) {
            Control& control = *live->control;
            guarded([&] { focusArrived(control); });
        }
    }
    return result;
}

namespace {

DWORD panelStyle(const Control&) {
    return WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

// Panels and labels paint their captions themselves.
void mirrorPaintedCaption(Control& control, HWND window, Property property) {
    mirrorCaption(control, window, property);
    if (property == Property::Text)
        InvalidateRect(window, nullptr, FALSE);
}

bool labelTakesAccelerator(const Control& control) {
    return static_cast<const Label&>(control).focusControl() != nullptr;
}

// A label's accelerator moves the focus to its field.
void focusField(Win32Backend& backend, Control& control) {
    Control* field = static_cast<Label&>(control).focusControl();
    if (field && field->canFocus() && reachable(*field))
        backend.setFocus(*field);
}

} // namespace

extern const WindowKind kPanelWindow{kPanelClass,
                                     panelStyle,
                                     noStyle,
                                     false,
                                     true,
                                     noInitialState,
                                     mirrorPaintedCaption,
                                     noNotification,
                                     takesNoAccelerator,
                                     noAccelerator};

extern const WindowKind kLabelWindow{kLabelClass,
                                     noStyle,
                                     noStyle,
                                     false,
                                     true,
                                     noInitialState,
                                     mirrorPaintedCaption,
                                     noNotification,
                                     labelTakesAccelerator,
                                     focusField};

} // namespace korimba::ui::win32
