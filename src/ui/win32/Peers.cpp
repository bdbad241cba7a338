#include "ui/win32/Peers.h"

#include "platform/win32/Dpi.h"
#include "ui/Form.h"
#include "ui/win32/Win32Backend.h"

namespace korimba::ui::win32 {

namespace {
constexpr char kPeerProperty[] = "Korimba.Peer";
}

void attachPeer(HWND window, Peer* peer) {
    SetPropA(window, kPeerProperty, peer);
}

Peer* detachPeer(HWND window) {
    return static_cast<Peer*>(RemovePropA(window, kPeerProperty));
}

Peer* peerOf(HWND window) {
    return window ? static_cast<Peer*>(GetPropA(window, kPeerProperty)) : nullptr;
}

Peer* livePeer(HWND window) {
    Peer* peer = peerOf(window);
    if (!peer || !peer->control || peer->backend->closing())
        return nullptr;
    return peer;
}

bool isWindowed(ControlKind kind) {
    return kind != ControlKind::Image && kind != ControlKind::Bevel && kind != ControlKind::Shape;
}

HWND windowOf(const Control& control) {
    return isWindowed(control.kind()) ? static_cast<HWND>(control.native) : nullptr;
}

HWND surfaceOf(const Control& control) {
    return static_cast<HWND>(control.native);
}

FormState* formStateOf(const Form& form) {
    Peer* peer = peerOf(windowOf(form));
    return peer ? peer->form.get() : nullptr;
}

Scale scaleOf(HWND window) {
    Peer* peer = window ? peerOf(GetAncestor(window, GA_ROOT)) : nullptr;
    return peer && peer->form ? Scale{peer->form->dpi} : Scale{};
}

Scale scaleOf(const Control& control) {
    return scaleOf(surfaceOf(control));
}

Scale screenScale() {
    return Scale{platform::win32::systemDpi()};
}

Form* formOfWindow(HWND window) {
    Peer* peer = livePeer(GetAncestor(window, GA_ROOT));
    if (!peer || peer->control->kind() != ControlKind::Form)
        return nullptr;
    return static_cast<Form*>(peer->control);
}

} // namespace korimba::ui::win32
