#pragma once
// What the control model needs from a desktop: native peers, modal loops,
// message boxes, the open-file dialog, timers, menus and focus.
#include "ui/Control.h"
#include "ui/Dialogs.h"
#include "ui/Raster.h"

#include <string>

namespace korimba::ui {

class Form;
class Timer;
class PopupMenu;
class CustomControl;

// What a screen reader is told of a control without asking.
enum class AccessibleEvent { StateChange, NameChange, Shown, Hidden };

// What waits at the head of the thread's queue, as far as a tracking loop cares.
enum class PendingMessage { None, Quit, LeftButtonDown, Other };

class Backend {
public:
    virtual ~Backend() = default;

    // Makes the native windows of a new form and all its controls (hidden), and
    // sets each control's native member, after which changes are reported.
    virtual void createForm(Form& form) = 0;
    virtual void destroyForm(Form& form) = 0;
    // Frees a form made while the program runs (Application::freeForm) once the
    // message being handled now is done, as its own handler may still be on the stack.
    virtual void releaseForm(Form& form) = 0;
    // The application takes its forms down: from now on no window reports.
    virtual void applicationEnding() = 0;
    // The control has moved into another parent (Control::setParent).
    virtual void parentChanged(Control& control) = 0;
    // A property of a control changed in the model. For a form, Visible shows
    // (and activates) or hides it.
    virtual void propertyChanged(Control& control, Property property) = 0;
    // Runs a modal loop until the form is hidden again.
    virtual void runModal(Form& form) = 0;
    virtual void setFocus(Control& control) = 0;
    virtual void timerChanged(Timer& timer) = 0;
    virtual void popupMenu(PopupMenu& menu, int screenX, int screenY) = 0;
    virtual bool executeOpenDialog(OpenDialog& dialog) = 0;
    virtual Answer messageBox(MessageKind kind, const std::string& title,
                              const std::string& text) = 0;
    // Screen position of a control's client point (for dropping a menu under a button).
    virtual void clientToScreen(Control& control, int& x, int& y) = 0;
    virtual void minimizeApplication() = 0;
    // Runs the message loop until the main form closes.
    virtual void run(Form& mainForm) = 0;
    virtual void terminate() = 0;
    // The native handle of a form, as owner for shell calls; null headless.
    virtual void* handleOf(Form& form) = 0;

    // What custom controls need from their window and the desktop.
    virtual void invalidate(Control& control) = 0;
    // Paints now what is invalid, and the whole control.
    virtual void repaint(Control& control) = 0;
    // A new window in the old one's place (its creation style may have changed).
    virtual void recreateWindow(CustomControl& control) = 0;
    // The pointer's messages go to the control, wherever the pointer is.
    virtual void setCapture(Control& control) = 0;
    virtual void releaseCapture(Control& control) = 0;
    virtual bool hasCapture(Control& control) = 0;
    // Tells whoever holds the pointer capture to give up what it does (WM_CANCELMODE).
    virtual void cancelCaptureMode() = 0;
    // The control hears of the pointer leaving its window, even without a move.
    virtual void trackPointerLeave(CustomControl& control) = 0;
    // The message reaches the control's posted() hook from the message loop.
    virtual void postToSelf(CustomControl& control, unsigned message) = 0;
    // Handles what is waiting in the queue, then returns.
    virtual void processMessages() = 0;
    // A loop of one's own: what comes next, left in the queue, and the handling
    // of one message; with none there it waits for one and returns without
    // handling it, so the loop can look at it first. A quit stays in the queue
    // for the loops outside.
    virtual PendingMessage peekMessage() = 0;
    virtual void handleMessage() = 0;
    // The system moves the form with the pointer while the left button stays
    // down (WM_SYSCOMMAND 0xF012); returns when it is released or the move is cancelled.
    virtual void systemMove(Form& form) = 0;
    // Tells the control's window to give up what it does (WM_CANCELMODE), a move included.
    virtual void cancelMode(Control& control) = 0;
    // Width and height of the screen.
    virtual Point screenSize() = 0;
    // Drops the pointer messages waiting in the queue (a menu closed by a click).
    virtual void discardMouseMessages() = 0;
    virtual Point cursorPos() = 0;
    virtual void screenToClient(Control& control, int& x, int& y) = 0;
    virtual bool isActive(Form& form) = 0;
    virtual void bringToFront(Form& form) = 0;
    // What the control's parent paints under it, the control's size: the
    // background of a transparent control. Drawn afresh, never read from the
    // screen, where the parent's painting may not have arrived yet. Empty while
    // the control has no window.
    virtual Raster parentPixels(Control& control) = 0;
    // A model colour as the system draws it now.
    virtual Rgb systemColor(Color color) = 0;
    // The system's text drawing can end a cut text with an ellipsis.
    virtual bool endEllipsisAvailable() = 0;
    // Tells screen readers that the control changed.
    virtual void accessibleEvent(Control& control, AccessibleEvent event) = 0;
};

} // namespace korimba::ui
