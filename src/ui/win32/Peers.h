#pragma once
// The link between a native window and its model control. Each window the backend
// makes carries a Peer as a window property; the peer goes with the window.
#include "ui/Control.h"
#include "ui/Scale.h"

#include <windows.h>

#include <memory>

namespace korimba::ui {
class Form;
}

namespace korimba::ui::win32 {

class Win32Backend;

// What only a form's window needs to remember.
struct FormState {
    bool shownOnce = false;
    // The program placed the form itself before its first show, so no centring then.
    bool movedByProgram = false;
    // Set while the model is being told where the native window went.
    bool syncingBounds = false;
    // The designed client size (at 96 dpi) and the scale the window shows it at.
    int clientWidth = 0;
    int clientHeight = 0;
    int dpi = kDesignDpi;
    // Where activation goes back when this modal form hides.
    HWND returnTo = nullptr;
    HWND tooltip = nullptr;
};

// What only a custom control's window needs to remember.
struct CustomState {
    bool trackingLeave = false;
    // The place last reported, so that only real changes reach the control.
    RECT place{0, 0, 0, 0};
};

struct Peer {
    Control* control = nullptr; // null once the model has let go of the window
    Win32Backend* backend = nullptr;
    WNDPROC systemProcedure = nullptr; // the class procedure of a subclassed system control
    std::unique_ptr<FormState> form;
    std::unique_ptr<CustomState> custom;
};

void attachPeer(HWND window, Peer* peer);
// Takes the peer off the window and returns it for deletion (WM_NCDESTROY).
Peer* detachPeer(HWND window);
Peer* peerOf(HWND window);
// The peer of a window whose control still belongs to a running model, else null.
Peer* livePeer(HWND window);

// Controls with a window of their own; the others are painted by their parent.
bool isWindowed(ControlKind kind);
// The control's own window, or null for a painted control or one without a peer yet.
HWND windowOf(const Control& control);
// The window a control is drawn on: its own, or its parent's for a painted control.
HWND surfaceOf(const Control& control);
FormState* formStateOf(const Form& form);
// The scale of the form a window belongs to (the window itself or one of its
// ancestors); the design's while it belongs to none.
Scale scaleOf(HWND window);
// The scale a control is shown at: its form's.
Scale scaleOf(const Control& control);
// The scale of screen positions between the model and the system, where no
// window is involved (the pointer, the screen's size, a menu's place).
Scale screenScale();
// The model form a window belongs to (the window itself or one of its ancestors).
Form* formOfWindow(HWND window);

} // namespace korimba::ui::win32
