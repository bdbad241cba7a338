#pragma once
// A control that draws itself and takes the pointer, accelerators and size
// changes through virtual hooks. Every backend gives all custom controls one
// kind of window and calls these hooks; it never needs to know the widget.
#include "ui/Canvas.h"
#include "ui/Control.h"

#include <string>

namespace korimba::ui {

// What a screen reader is told of a control that draws itself. The backend
// gives it in the platform's terms; location, parent and navigation stay the
// system's own.
enum class AccessibleRole { Client, PushButton, ButtonMenu };
enum AccessibleState : unsigned {
    asUnavailable = 1u << 0,
    asFocusable = 1u << 1,
    asFocused = 1u << 2,
    asPressed = 1u << 3,
    asHot = 1u << 4,
};
struct AccessibleDescription {
    AccessibleRole role = AccessibleRole::Client; // Client: the system's own description
    std::string name;
    std::string shortcut; // "Alt+E"; "" for none
    unsigned state = 0;
    // What the default action is called ("Press"); "" for none. It does what a
    // click does, and only while the control is enabled.
    std::string defaultAction;
};

enum class MouseButton { Left, Right, Middle };

// Shift state of a pointer message, as the toolkit reports it.
enum ShiftState : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};

class CustomControl : public Control {
public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Custom; }

    // Called by the backend whenever the window needs painting; draw everything.
    virtual void paint(Canvas&) {}
    virtual void mouseDown(MouseButton, unsigned /*shift*/, int /*x*/, int /*y*/) {}
    virtual void mouseUp(MouseButton, unsigned /*shift*/, int /*x*/, int /*y*/) {}
    // The second press of a double click comes here instead of mouseDown.
    virtual void doubleClick(MouseButton, unsigned /*shift*/, int /*x*/, int /*y*/) {}
    virtual void mouseMove(unsigned /*shift*/, int /*x*/, int /*y*/) {}
    virtual void mouseEnter() {}
    virtual void mouseLeave() {}
    // An accelerator character (Alt + key) offered by the window; true when taken.
    virtual bool dialogChar(char /*key*/) { return false; }
    virtual void resized() {}
    virtual void moved() {}
    virtual void systemColorsChanged() {}
    // A message the control posted to itself (postToSelf) has arrived.
    virtual void posted(unsigned /*message*/) {}
    // The window lets the windows below it paint first (WS_EX_TRANSPARENT).
    virtual bool transparentWindow() const { return false; }
    // A new window was made for the control (first creation or recreation).
    virtual void windowCreated() {}
    virtual AccessibleDescription accessible() const { return {}; }

    // What the backends call for every pointer move: the enter and leave hooks
    // come from here, so that a move while the pointer is captured outside the
    // control counts as leaving it. Client coordinates.
    void pointerMoved(unsigned shift, int x, int y);
    // The pointer left the window (the system's leave notification).
    void pointerLeft();
    bool pointerInside() const { return pointerInside_; }

protected:
    // Services of the backend for this control's window; nothing headless
    // without a native peer.
    void invalidate();
    void repaint();
    void recreateWindow();
    void setCapture();
    void releaseCapture();
    bool hasCapture();
    void postToSelf(unsigned message);
    void processMessages();
    // Where the pointer is, in this control's parent's client coordinates.
    Point pointerInParent();
    // The pointer lies in Left <= x < Left + Width, Top <= y < Top + Height.
    bool pointerOver();
    Point clientToScreen(Point client);

private:
    bool pointerInside_ = false;
};

} // namespace korimba::ui
