#pragma once
// A control that draws itself and takes the pointer, accelerators and size
// changes through virtual hooks. Every backend gives all custom controls one
// kind of window and calls these hooks; it never needs to know the widget.
#include "ui/Canvas.h"
#include "ui/Control.h"

#include <optional>
#include <string>
#include <vector>

namespace korimba::ui {

// What a screen reader is told of a control that draws itself. The backend
// gives it in the platform's terms; location, parent and navigation stay the
// system's own.
enum class AccessibleRole { Client, PushButton, ButtonMenu, Pane, Grip };
enum AccessibleState : unsigned {
    asUnavailable = 1u << 0,
    asFocusable = 1u << 1,
    asFocused = 1u << 2,
    asPressed = 1u << 3,
    asHot = 1u << 4,
};
// A part of a control told as a child of its own, after the control's windows.
struct AccessiblePart {
    AccessibleRole role;
    std::string name;
    Box place; // client coordinates
    bool operator==(const AccessiblePart&) const = default;
};
struct AccessibleDescription {
    AccessibleRole role = AccessibleRole::Client; // Client: the system's own description
    std::string name;
    std::string description; // what it is for, beyond its name; "" for none
    std::string shortcut;    // "Alt+E"; "" for none
    unsigned state = 0;
    // What the default action is called ("Press"); "" for none. It does what a
    // click does, and only while the control is enabled.
    std::string defaultAction;
    std::vector<AccessiblePart> parts;
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
    // The keyboard focus came (Tab reaches a control that tells itself
    // focusable) or went. The model's active control stays the last field.
    virtual void focusChanged(bool /*focused*/) {}
    // Space or Enter while the control has the keyboard focus.
    virtual void keyboardPress() {}

    // What the backends call for every pointer move: the enter and leave hooks
    // come from here, so that a move while the pointer is captured outside the
    // control counts as leaving it. Client coordinates.
    void pointerMoved(unsigned shift, int x, int y);
    // The pointer left the window (the system's leave notification).
    void pointerLeft();
    bool pointerInside() const { return pointerInside_; }
    // What the backends call when they have made a window for the control:
    // readers hear of changes from the look it starts with.
    void nativeWindowCreated();
    // What the backend calls when its window gains or loses the focus.
    void keyboardFocusChanged(bool focused);
    bool keyboardFocus() const { return keyboardFocus_; }

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
    // Screen readers hear of a change of name or state as the control repaints.
    void tellAccessibleChanges();

    bool pointerInside_ = false;
    bool keyboardFocus_ = false;
    // What readers were last told, or found when the window was made.
    std::optional<AccessibleDescription> told_;
};

} // namespace korimba::ui
